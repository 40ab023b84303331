#include <string.h>

#include <string>

#include <gtest/gtest.h>

#include "fixture.h"
#include "update/version_check.h"

namespace {

const char kAddress[] = "http://update.test/launcher/version.html";
const char kPatchAddress[] = "http://update.test/patch.exe";

void serve_version_file(const std::string& body, const char* installed = "1.0.5") {
  fixture::install_folder();
  if (installed) fake::world().settings["Version"] = installed;
  fake::world().http[kAddress].chunks = {body};
}

TEST(VersionFile, ScansThreeWordsWithinTheirBuffers) {
  struct Case {
    const char* note;
    std::string body;
    std::string version, mode, address;
  } const cases[] = {
      {"one per line", "1.0.6\nYES\nhttp://x/p.exe\n", "1.0.6", "YES", "http://x/p.exe"},
      {"any white space", "  1.0.6 \r\n\t NO   http://x/\r\n", "1.0.6", "NO", "http://x/"},
      {"one word", "1.0.6", "1.0.6", "", ""},
      {"empty", "", "", "", ""},
      {"words cut, the rest skipped", std::string(40, 'v') + " " + std::string(20, 'm') + " " +
           std::string(600, 'a'),
       std::string(31, 'v'), std::string(11, 'm'), std::string(511, 'a')},
      {"a long version never spills into the mode", std::string(31, 'v') + "YES http://x/",
       std::string(31, 'v'), "http://x/", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.note);
    UpdateInfo info;
    memset(&info, 'Z', sizeof info);
    char mode[kModeSize];
    memset(mode, 'Z', sizeof mode);
    scan_version_file(c.body.c_str(), &info, mode);
    EXPECT_EQ(std::string(info.remote_version), c.version);
    EXPECT_EQ(std::string(mode), c.mode);
    EXPECT_EQ(std::string(info.update_address), c.address);
  }
}

TEST(CheckForUpdate, OffersOnlyForADifferentVersionAndAKnownMode) {
  struct Case {
    const char* note;
    const char* installed;
    std::string body;
    const char* text;  // nullptr: no offer
  } const cases[] = {
      {"same version, YES", "1.0.5", "1.0.5 YES http://x/", nullptr},
      {"same version, NO", "1.0.5", "1.0.5 NO http://x/", nullptr},
      {"1.2 vs 1.10 is an update", "1.2", "1.10 NO http://x/",
       "There is a new update available (1.10), a browser window will be opened where you can "
       "download it."},
      {"1.3 vs 1.2 is an update too", "1.3", "1.2 YES http://x/",
       "There is a new update available (1.2), the launcher will now download it."},
      {"versions compare case-sensitively", "v1", "V1 NO http://x/",
       "There is a new update available (V1), a browser window will be opened where you can "
       "download it."},
      {"lower-case yes", "1.0.5", "1.0.6 yes http://x/", nullptr},
      {"YES! is no mode", "1.0.5", "1.0.6 YES! http://x/", nullptr},
      {"one-word file", "1.0.5", "1.0.6", nullptr},
      {"an error page", "1.0.5", "<html><body>Not Found</body></html>", nullptr},
      {"version with & is no download offer", "1.0.5", "1.0&del YES http://x/", nullptr},
      {"version with a path is no download offer", "1.0.5", "..\\..\\x YES http://x/", nullptr},
      {"version with % is no download offer", "1.0.5", "%PATH% YES http://x/", nullptr},
      {"the browser offer shows any version", "1.0.5", "1.0&6 NO http://x/",
       "There is a new update available (1.0&6), a browser window will be opened where you can "
       "download it."},
      {"40-character versions compare in 31", "vvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvv",
       std::string(40, 'v') + " YES http://x/", nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.note);
    serve_version_file(c.body, c.installed);
    fake::world().message_box_answers = {kIdCancel};
    check_for_update();
    if (!c.text) {
      EXPECT_TRUE(fake::world().message_boxes.empty());
      continue;
    }
    ASSERT_EQ(fake::world().message_boxes.size(), 1u);
    const auto& box = fake::world().message_boxes[0];
    EXPECT_EQ(box.text, c.text);
    EXPECT_EQ(box.caption, "New Update Available");
    EXPECT_EQ(box.type, 0x41u);
    EXPECT_EQ(box.owner, nullptr);
    EXPECT_TRUE(fake::world().browser.empty());
  }
}

TEST(CheckForUpdate, BrowserPathOpensTheAddressAndEnds) {
  serve_version_file("1.0.6\nNO\nhttp://www.example.test/download\n");
  unsigned code = fixture::exit_code_of([] { check_for_update(); });
  EXPECT_EQ(code, 0u);
  EXPECT_EQ(fake::world().browser, std::vector<std::string>{"http://www.example.test/download"});
}

TEST(CheckForUpdate, AcceptedDownloadRunsTheDialog) {
  serve_version_file("1.0.6\nYES\nhttp://update.test/patch.exe\n");
  fake::world().http[kPatchAddress].reachable = false;
  check_for_update();
  EXPECT_STREQ(g_update_info.remote_version, "1.0.6");
  EXPECT_STREQ(g_update_info.update_address, kPatchAddress);
  const auto& log = fake::world().log;
  EXPECT_NE(std::find(log.begin(), log.end(), "download dialog"), log.end());
}

TEST(CheckForUpdate, MissingVersionSettingIsABrokenInstall) {
  serve_version_file("1.0.6 YES http://x/", nullptr);
  unsigned code = fixture::exit_code_of([] { check_for_update(); });
  EXPECT_EQ(code, 0u);
  ASSERT_EQ(fake::world().message_boxes.size(), 1u);
  EXPECT_EQ(fake::world().message_boxes[0].text,
            "Please reinstall, there are some Corrupt/Missing files");
  EXPECT_EQ(fake::world().message_boxes[0].caption, "Expack0X");
  EXPECT_EQ(fake::world().message_boxes[0].type, 0x30u);
}

TEST(CheckForUpdate, NetworkFailuresAreSilent) {
  struct Case {
    const char* note;
    bool internet_fails;
    bool reachable;
    int fail_read_at;
  } const cases[] = {
      {"no Internet", true, true, -1},
      {"server unreachable", false, false, -1},
      {"first read fails", false, true, 0},
      {"transfer breaks", false, true, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.note);
    serve_version_file("1.0.6 NO http://x/", nullptr);  // would end the process if read
    fake::world().internet_open_fails = c.internet_fails;
    fake::world().http[kAddress].reachable = c.reachable;
    fake::world().http[kAddress].chunks = {"1.0.6 ", "NO http://x/"};
    fake::world().http[kAddress].fail_read_at = c.fail_read_at;
    check_for_update();
    EXPECT_TRUE(fake::world().message_boxes.empty());
    EXPECT_EQ(fake::world().open_handles, 0);
    for (const auto& line : fake::world().log) EXPECT_NE(line, "setting Version");
  }
}

TEST(CheckForUpdate, ReadsTheBodyInPiecesAndCutsItSoTheNulFits) {
  // 70,000 bytes: a version word, then blanks, then more than the buffer holds.
  serve_version_file("1.0.5" + std::string(69995, ' '));
  fake::world().http[kAddress].chunks = {"1.0", ".5", std::string(69995, ' ')};
  check_for_update();
  EXPECT_TRUE(fake::world().message_boxes.empty());
  std::vector<std::string> reads;
  for (const auto& line : fake::world().log) {
    if (line.rfind("read ", 0) == 0) reads.push_back(line);
  }
  // Each read asks for the room left; none once the buffer is full.
  EXPECT_EQ(reads, (std::vector<std::string>{"read 65535", "read 65532", "read 65530"}));
}

}  // namespace
