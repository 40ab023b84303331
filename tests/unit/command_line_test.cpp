#include <string.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "launch/command_line.h"

namespace {

// The rename pairs of the request, in list order.
std::vector<std::string> pairs() {
  std::vector<std::string> result;
  const char* p = g_launch_request.extra_swaps;
  while (*p) {
    const char* active = p + strlen(p) + 1;
    result.push_back(std::string(p) + ">" + active);
    p = active + strlen(active) + 1;
  }
  return result;
}

std::string joined(const std::vector<std::string>& items) {
  std::string out;
  for (const auto& item : items) out += (out.empty() ? "" : " ") + item;
  return out;
}

const char kPack1[] = "QueltExpack01.quelt>QueltExpack01.big QueltExpack01_Art.Quelt>QueltExpack01_Art.big";
const char kPack2[] = "QueltExpack02.quelt>QueltExpack02.big QueltExpack02_Art.Quelt>QueltExpack02_Art.big";

struct Case {
  const char* note;
  const char* command_line;
  bool args_given;
  const char* program;
  const char* target_command_line;
  std::string pairs;
};

const Case kCases[] = {
    {"no argument", "gamelauncher.exe", false, "generals.exe", "-showTeamDot", ""},
    {"quoted path, no argument", "\"C:\\Games\\Gen Zero\\gamelauncher.exe\"", false,
     "generals.exe", "-showTeamDot", ""},
    {"quoted path, then an option", "\"C:\\a b\\gamelauncher.exe\" -quickstart", true,
     "generals.exe", "-showTeamDot -noshellmap", ""},
    {"quoted path glued to an option", "\"gamelauncher.exe\"-quickstart", true, "generals.exe",
     "-showTeamDot -noshellmap", ""},
    {"unquoted path with a space splits there", "C:\\Gen Zero\\gamelauncher.exe -quickstart",
     true, "generals.exe", "-showTeamDot", ""},
    {"pass-through options in given order", "g -quickstart -mapscriptdebug", true,
     "generals.exe", "-showTeamDot -noshellmap -win -scriptDebug", ""},
    {"all four pass-through options", "g -particleEditor -Modification", true, "generals.exe",
     "-showTeamDot -win -particleEdit -mod QueltModification.big", ""},
    {"repeated option appends again", "g -quickstart -quickstart", true, "generals.exe",
     "-showTeamDot -noshellmap -noshellmap", ""},
    {"unknown word stops parsing", "g -quickstart bogus -quickstart", true, "generals.exe",
     "-showTeamDot -noshellmap", ""},
    {"single unknown word", "g -foo", true, "generals.exe", "-showTeamDot", ""},
    {"other letter case is no option", "g -expack01 -ExPack02", true, "generals.exe",
     "-showTeamDot", ""},
    {"many spaces, leading too", "g     -quickstart    -ExPack01   ", true, "generals.exe",
     "-showTeamDot -noshellmap", kPack1},
    {"a tab is part of a word", "g -quickstart\t-ExPack01", true, "generals.exe",
     "-showTeamDot", ""},
    {"both packs, pack 1 first", "g -ExPack01 -ExPack02", true, "generals.exe", "-showTeamDot",
     std::string(kPack1) + " " + kPack2},
    {"pack then extra rename", "g -ExPack02 -extrarename a b", true, "generals.exe",
     "-showTeamDot", std::string(kPack2) + " a>b"},
    {"same pack twice", "g -ExPack01 -ExPack01", true, "generals.exe", "-showTeamDot",
     std::string(kPack1) + " " + kPack1},
    {"extra rename without its active name", "g -extrarename a", true, "generals.exe",
     "-showTeamDot", "a>"},
    {"extra rename without any name", "g -ExPack01 -extrarename", true, "generals.exe",
     "-showTeamDot", kPack1},
    {"launch replaces the target", "g -launch other.exe", true, "other.exe", "-showTeamDot", ""},
    {"second launch wins", "g -launch one.exe -launch two.exe -quickstart", true, "two.exe",
     "-showTeamDot -noshellmap", ""},
    {"launch without a name keeps the default", "g -quickstart -launch", true, "generals.exe",
     "-showTeamDot -noshellmap", ""},
    {"quoted launch name with a space", "g -launch \"My Game.exe\" -quickstart", true, "\"My",
     "-showTeamDot", ""},
};

TEST(CommandLine, FillsTheRequest) {
  for (const Case& c : kCases) {
    SCOPED_TRACE(std::string(c.note) + ": " + c.command_line);
    parse_arguments(c.command_line);
    EXPECT_EQ(g_launch_request.args_given, c.args_given);
    EXPECT_STREQ(g_launch_request.target_program, c.program);
    EXPECT_STREQ(g_launch_request.target_command_line, c.target_command_line);
    EXPECT_EQ(joined(pairs()), c.pairs);
  }
}

TEST(CommandLine, PackRecordsAre84BytesEach) {
  parse_arguments("g -ExPack01 -ExPack02");
  EXPECT_EQ(g_launch_request.extra_swaps_end, 168u);
  EXPECT_EQ(g_launch_request.extra_swaps[168], '\0');
}

// Anything that would not fit its buffer ends parsing at that word; what
// came before stays in force and nothing is written past a buffer.
struct BoundCase {
  const char* note;
  std::string command_line;
  const char* target_command_line;
  size_t pair_count;
  const char* program;
};

std::string repeat(const std::string& text, int times) {
  std::string out;
  for (int i = 0; i < times; ++i) out += text;
  return out;
}

TEST(CommandLine, StopsAtTheWordThatDoesNotFit) {
  const std::string name255(255, 'n');
  const std::string name256(256, 'n');
  const std::string long_name(600, 'x');
  const std::string full_command_line = "-showTeamDot" + repeat(" -noshellmap", 20);
  const BoundCase cases[] = {
      {"255-character launch name fits", "g -launch " + name255, "-showTeamDot", 0,
       name255.c_str()},
      {"256-character launch name stops", "g -quickstart -launch " + name256 + " -quickstart",
       "-showTeamDot -noshellmap", 0, "generals.exe"},
      {"300-character first word", "g " + std::string(300, 'w'), "-showTeamDot", 0,
       "generals.exe"},
      // 12 + 20 * 12 = 252 characters; a 21st " -noshellmap" would pass 255.
      {"command line full at 252 characters", "g" + repeat(" -quickstart", 30),
       full_command_line.c_str(), 0, "generals.exe"},
      // 12 packs of 84 bytes use 1008 bytes; a 13th would leave no room.
      {"pack list full", "g" + repeat(" -ExPack01", 20), "-showTeamDot", 24, "generals.exe"},
      {"rename pair that would overflow is not stored",
       "g" + repeat(" -ExPack02", 11) + " -extrarename " + name255 + " " + name255,
       "-showTeamDot", 22, "generals.exe"},
      {"10,000-character command line", "g -ExPack01" + repeat(" -extrarename " + std::string(200, 'a') + " b", 45) + " " + long_name,
       "-showTeamDot", 6, "generals.exe"},
  };
  for (const BoundCase& c : cases) {
    SCOPED_TRACE(c.note);
    parse_arguments(c.command_line.c_str());
    EXPECT_TRUE(g_launch_request.args_given);
    EXPECT_STREQ(g_launch_request.target_command_line, c.target_command_line);
    EXPECT_STREQ(g_launch_request.target_program, c.program);
    EXPECT_EQ(pairs().size(), c.pair_count);
    EXPECT_LT(g_launch_request.extra_swaps_end, kSwapListSize);
    EXPECT_EQ(g_launch_request.extra_swaps[g_launch_request.extra_swaps_end], '\0');
  }
}

}  // namespace
