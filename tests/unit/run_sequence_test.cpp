#include <algorithm>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "fixture.h"
#include "launch/run_sequence.h"

namespace {

using Lines = std::vector<std::string>;

// The log without the individual renames and settings reads: the stages.
Lines stages() {
  Lines result;
  for (const auto& line : fake::world().log) {
    if (line.rfind("rename ", 0) == 0 || line.rfind("setting ", 0) == 0 ||
        line.rfind("registry ", 0) == 0) {
      continue;
    }
    result.push_back(line);
  }
  return result;
}

void prepare(const char* command_line) {
  fixture::install_folder(command_line);
  fake::world().settings["DisableInetUpdate"] = "Yes";
}

TEST(RunLauncher, RunsTheTargetAndRestoresAfterASecond) {
  prepare("gamelauncher.exe -quickstart -ExPack01");
  auto before = fake::world().files;
  EXPECT_EQ(run_launcher(nullptr), 0);
  EXPECT_EQ(stages(), (Lines{"splash", "start generals.exe ok", "wait generals.exe",
                             "close process", "sleep 1000"}));
  ASSERT_EQ(fake::world().processes.size(), 1u);
  EXPECT_EQ(fake::world().processes[0].command_line, "-showTeamDot -noshellmap");
  EXPECT_FALSE(fake::world().processes[0].hidden);
  EXPECT_TRUE(fake::world().message_boxes.empty());
  EXPECT_EQ(fake::world().files, before);
  EXPECT_EQ(fake::world().open_handles, 0);

  // The closing restore comes after the wait: nothing is renamed back
  // before the second has passed.
  const Lines& log = fake::world().log;
  auto sleep = std::find(log.begin(), log.end(), "sleep 1000");
  EXPECT_NE(std::find(sleep, log.end(), "rename Window.big.generals > Window.big"), log.end());
}

TEST(RunLauncher, ActivationFailureShowsTheRightMessage) {
  struct Case {
    const char* note;
    const char* command_line;
    const char* missing;
    const char* text;
    const char* caption;
  } const cases[] = {
      {"no argument, broken install", "gamelauncher.exe", "Window.big",
       "Please reinstall, there are some Corrupt/Missing files", "Error"},
      {"pack not installed", "gamelauncher.exe -ExPack01", "QueltExpack01.quelt",
       "You dont have Expack0X installed", "Expack0X"},
      {"any unknown word counts as arguments", "gamelauncher.exe -foo", "Window.big",
       "You dont have Expack0X installed", "Expack0X"},
      {"same pack twice", "gamelauncher.exe -ExPack02 -ExPack02", nullptr,
       "You dont have Expack0X installed", "Expack0X"},
      {"extra rename without its active name", "gamelauncher.exe -extrarename a", nullptr,
       "You dont have Expack0X installed", "Expack0X"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.note);
    prepare(c.command_line);
    fake::world().files["a"] = "a";
    if (c.missing) fake::world().files.erase(c.missing);
    auto before = fake::world().files;
    EXPECT_EQ(run_launcher(nullptr), 2);
    ASSERT_EQ(fake::world().message_boxes.size(), 1u);
    EXPECT_EQ(fake::world().message_boxes[0].text, c.text);
    EXPECT_EQ(fake::world().message_boxes[0].caption, c.caption);
    EXPECT_EQ(fake::world().message_boxes[0].type, 0x30u);
    EXPECT_TRUE(fake::world().processes.empty());
    EXPECT_EQ(fake::world().files, before);
  }
}

TEST(RunLauncher, MissingRegistryKeyNeverStartsTheTarget) {
  prepare("gamelauncher.exe");
  fake::world().registry_key_present = false;
  auto before = fake::world().files;
  EXPECT_EQ(run_launcher(nullptr), 2);
  EXPECT_TRUE(fake::world().processes.empty());
  EXPECT_EQ(fake::world().files, before);
}

TEST(RunLauncher, TargetThatCannotStartEndsWith3) {
  prepare("gamelauncher.exe -launch missing.exe");
  auto before = fake::world().files;
  EXPECT_EQ(run_launcher(nullptr), 3);
  ASSERT_EQ(fake::world().message_boxes.size(), 1u);
  EXPECT_EQ(fake::world().message_boxes[0].text,
            "Please reinstall, there are some Corrupt/Missing files");
  EXPECT_EQ(fake::world().message_boxes[0].caption, "Error");
  EXPECT_EQ(fake::world().message_boxes[0].type, 0x30u);
  EXPECT_EQ(fake::world().processes[0].application, "missing.exe");
  EXPECT_EQ(fake::world().files, before);
}

TEST(RunLauncher, LanguageArchiveMissingEndsWithMinus666) {
  prepare("gamelauncher.exe");
  fake::world().files.erase("QueltEnglish.quelt");
  unsigned code = fixture::exit_code_of([] { run_launcher(nullptr); });
  EXPECT_EQ(static_cast<int>(code), -666);
  EXPECT_TRUE(fake::world().processes.empty());
  // The next start repairs the folder before it fails the same way again.
  auto half_active = fake::world().files;
  EXPECT_EQ(half_active.count("Window.big.generals"), 1u);
  fake::world().log.clear();
  fake::world().message_boxes.clear();
  fixture::exit_code_of([] { run_launcher(nullptr); });
  EXPECT_EQ(fake::world().files, half_active);
}

TEST(RunLauncher, UpdateCheckRunsFirstUnlessDisabled) {
  fixture::install_folder("gamelauncher.exe");
  fake::world().settings["DisableInetUpdate"] = "no";
  run_launcher(nullptr);
  ASSERT_GE(fake::world().log.size(), 2u);
  EXPECT_EQ(fake::world().log[0], "setting DisableInetUpdate");
  EXPECT_EQ(fake::world().log[1], "internet LAUNCHER");

  prepare("gamelauncher.exe");
  fake::world().settings["DisableInetUpdate"] = "YES";
  run_launcher(nullptr);
  for (const auto& line : fake::world().log) {
    EXPECT_NE(line.rfind("internet", 0), 0u);
    EXPECT_NE(line, "setting Version");
  }
}

}  // namespace
