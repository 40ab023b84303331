#include <string.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "fixture.h"
#include "update/patch_download.h"
#include "update/version_check.h"

namespace {

const char kPatchAddress[] = "http://update.test/patch.exe";
const std::string kR1 =
    "Update could not be completed due to lack of Internet connection\n\n"
    "Please make sure you are connected to Internet";

int g_dialog;  // stands for the dialog window
PlatWindow dialog() { return &g_dialog; }

fake::HttpAnswer& serve_patch(const std::vector<std::string>& chunks) {
  fixture::install_folder();
  strcpy(g_update_info.remote_version, "1.0.6");
  strcpy(g_update_info.update_address, kPatchAddress);
  fake::HttpAnswer& answer = fake::world().http[kPatchAddress];
  answer.chunks = chunks;
  return answer;
}

bool logged(const std::string& line) {
  const auto& log = fake::world().log;
  return std::find(log.begin(), log.end(), line) != log.end();
}

// Runs the worker and returns the exit code, or -1 when the process goes on.
long long run_worker() {
  try {
    download_worker(dialog());
  } catch (const fake::ProcessExit& exit) {
    return exit.code;
  }
  return -1;
}

const char kScript106[] =
    "del launchr~.exe\r\r\ncopy launcher.exe launchr~.exe\r\r\n:l1\r\r\ndel launcher.exe\r\r\n"
    "if EXIST launcher.exe goto l1\r\r\nren launchr~.exe launcher.exe\r\r\npatch_1.0.6.exe\r\r\n"
    "del %0";

TEST(DownloadWorker, InstallsACompleteDownload) {
  serve_patch({"MZ first chunk ", "second chunk"});
  fake::world().files["patch_1.0.6.exe"] = "an earlier download";
  fake::world().files["update.tmp"] = "an earlier attempt";
  EXPECT_EQ(run_worker(), 0);

  EXPECT_EQ(fake::world().files["patch_1.0.6.exe"], "MZ first chunk second chunk");
  EXPECT_EQ(fake::world().files.count("update.tmp"), 0u);
  EXPECT_EQ(fake::world().files["launcher.bat"], kScript106);
  EXPECT_EQ(fake::world().files["launcher.bat"].size(), 165u);
  ASSERT_EQ(fake::world().processes.size(), 1u);
  EXPECT_EQ(fake::world().processes[0].application, "launcher.bat");
  EXPECT_EQ(fake::world().processes[0].command_line, "<none>");
  EXPECT_TRUE(fake::world().processes[0].hidden);
  EXPECT_TRUE(fake::world().message_boxes.empty());
  EXPECT_EQ(fake::world().open_handles, 0);
  EXPECT_TRUE(logged("control 1001 range 0..27"));
  EXPECT_TRUE(logged("control 1002 text 0/27 bytes"));
  EXPECT_TRUE(logged("control 1002 text 15/27 bytes"));
  EXPECT_TRUE(logged("control 1002 text 27/27 bytes"));
  EXPECT_TRUE(logged("control 1001 pos 27"));
  EXPECT_TRUE(logged("read 65536"));
}

TEST(DownloadWorker, ProgressIsShownAtMostTenTimesASecond) {
  serve_patch({"aa", "bb", "cc", "dd", "ee", "ff"});
  fake::world().clock_step = 30;  // each chunk takes 30 ms
  EXPECT_EQ(run_worker(), 0);
  std::vector<std::string> shown;
  for (const auto& line : fake::world().log) {
    if (line.rfind("control 1002 text ", 0) == 0) shown.push_back(line.substr(18));
  }
  // The first, the one 120 ms later, and the last.
  EXPECT_EQ(shown, (std::vector<std::string>{"0/12 bytes", "8/12 bytes", "12/12 bytes"}));
  EXPECT_TRUE(logged("control 1001 pos 8"));
  EXPECT_TRUE(logged("control 1001 pos 12"));
}

struct FailureCase {
  const char* note;
  void (*setup)(fake::HttpAnswer&);
  std::string text;         // the report shown
  unsigned type;
  bool temp_file_remains;
  bool temp_file_created;
  bool patch_remains = false;
};

const FailureCase kFailures[] = {
    {"no Internet", [](fake::HttpAnswer&) { fake::world().internet_open_fails = true; }, kR1,
     0x30, false, false},
    {"address unreachable", [](fake::HttpAnswer& a) { a.reachable = false; }, kR1, 0x30, false,
     false},
    {"no Content-Length", [](fake::HttpAnswer& a) { a.has_length = false; }, kR1, 0x30, false,
     false},
    {"404 page with a length", [](fake::HttpAnswer& a) { a.status = 404; }, kR1, 0x30, false,
     false},
    {"length 0", [](fake::HttpAnswer& a) { a.chunks.clear(); }, kR1, 0x30, false, false},
    {"cut short", [](fake::HttpAnswer& a) { a.length = 100, a.length_set = true; }, kR1, 0x30,
     true, true},
    {"read fails", [](fake::HttpAnswer& a) { a.fail_read_at = 1; }, kR1, 0x30, true, true},
    {"update.tmp cannot be made",
     [](fake::HttpAnswer&) { fake::world().files["update.tmp"] = "<folder>"; },
     "Can't create temporary file", 0x10, true, false},
    {"write fails", [](fake::HttpAnswer&) { fake::world().write_fails_at = 1; },
     "Can't create temporary file", 0x10, false, true},
    {"write is short", [](fake::HttpAnswer&) {
       fake::world().write_fails_at = 0;
       fake::world().short_write = true;
     },
     "Can't create temporary file", 0x10, false, true},
    {"patch name taken by a folder",
     [](fake::HttpAnswer&) { fake::world().files["patch_1.0.6.exe"] = "<folder>"; },
     "Can't create temporary file", 0x10, true, true, true},
    {"script cannot be written", [](fake::HttpAnswer&) { fake::world().text_write_fails = true; },
     "Can't create temporary file", 0x10, false, true, true},
    {"unsafe version", [](fake::HttpAnswer&) { strcpy(g_update_info.remote_version, "1&x"); },
     "Can't create temporary file", 0x10, true, true},
};

TEST(DownloadWorker, ReportsFailuresAndInstallsNothing) {
  for (const FailureCase& c : kFailures) {
    SCOPED_TRACE(c.note);
    fake::HttpAnswer& answer = serve_patch({"MZ first chunk ", "second chunk"});
    c.setup(answer);
    EXPECT_EQ(run_worker(), -1);
    ASSERT_EQ(fake::world().message_boxes.size(), 1u);
    const auto& box = fake::world().message_boxes[0];
    EXPECT_EQ(box.text, c.text);
    EXPECT_EQ(box.caption, c.text == kR1 ? "Authomatic Update" : "Launcher");
    EXPECT_EQ(box.type, c.type);
    EXPECT_EQ(box.owner, dialog());
    EXPECT_TRUE(logged("end dialog 1"));
    EXPECT_TRUE(fake::world().processes.empty());
    EXPECT_EQ(fake::world().files.count("update.tmp"), c.temp_file_remains ? 1u : 0u);
    EXPECT_EQ(logged("create update.tmp"), c.temp_file_created);
    EXPECT_EQ(fake::world().files.count("patch_1.0.6.exe"), c.patch_remains ? 1u : 0u);
    EXPECT_EQ(fake::world().open_handles, 0);
  }
}

TEST(DownloadWorker, PatchThatCannotStartIsReportedWithoutOwner) {
  serve_patch({"MZ"});
  fake::world().process_start_fails = true;
  EXPECT_EQ(run_worker(), -1);
  ASSERT_EQ(fake::world().message_boxes.size(), 1u);
  EXPECT_EQ(fake::world().message_boxes[0].text, "Can't launch patch automatically");
  EXPECT_EQ(fake::world().message_boxes[0].caption, "Launcher");
  EXPECT_EQ(fake::world().message_boxes[0].type, 0x30u);
  EXPECT_EQ(fake::world().message_boxes[0].owner, nullptr);
  EXPECT_EQ(fake::world().files["patch_1.0.6.exe"], "MZ");
}

TEST(DownloadWorker, CancelDeletesTheDownloadWithoutAWord) {
  struct Case {
    const char* note;
    int window_checks;  // how long the dialog lives, in checks
    int fail_read_at;
    bool reported;
  } const cases[] = {
      {"cancel before the first chunk", 0, -1, false},
      {"cancel between chunks", 1, -1, false},
      {"cancel after the last chunk", 3, -1, false},
      {"cancel during the final read", 4, -1, false},
      {"a read that fails after the cancel still reports", 1, 0, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.note);
    serve_patch({"one ", "two ", "three"}).fail_read_at = c.fail_read_at;
    fake::world().window_checks_left = c.window_checks;
    EXPECT_EQ(run_worker(), -1);
    EXPECT_EQ(fake::world().files.count("update.tmp"), c.reported ? 1u : 0u);
    EXPECT_EQ(fake::world().files.count("patch_1.0.6.exe"), 0u);
    EXPECT_EQ(fake::world().message_boxes.size(), c.reported ? 1u : 0u);
    EXPECT_TRUE(fake::world().processes.empty());
    EXPECT_EQ(fake::world().open_handles, 0);
    if (c.reported) {
      EXPECT_EQ(fake::world().message_boxes[0].owner, nullptr);
    }
  }
}

TEST(PatchScript, Formats165BytesOnDiskForVersion106) {
  char script[kPatchScriptSize];
  ASSERT_TRUE(format_patch_script("patch_1.0.6.exe", script, sizeof script));
  std::string text(script);
  EXPECT_EQ(text.size(), 158u);  // 7 CR LF become CR CR LF on disk: 165
  EXPECT_EQ(text.substr(text.size() - 6), "del %0");
  EXPECT_FALSE(format_patch_script("patch_1.0.6.exe", script, 158));
}

}  // namespace
