#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "fixture.h"
#include "swap/mod_files.h"

namespace {

using fixture::renames;
using Names = std::vector<std::string>;

const Names kActivation = {
    "Window.big > Window.big.generals",
    "Maps.big > Maps.big.generals",
    "INI.big > INI.big.generals",
    "English.big > English.big.generals",
    "QueltArt.Quelt > QueltArt.big",
    "QueltAudio.Quelt > QueltAudio.big",
    "QueltINI.Quelt > QueltINI.Big",
    "QueltMaps.Quelt > QueltMaps.Big",
    "QueltWindow.Quelt > QueltWindow.big",
    "QueltExpack01.quelt > QueltExpack01.big",
    "QueltExpack01_Art.Quelt > QueltExpack01_Art.big",
    "a > b",
    "Data\\scripts > Data\\genscripts",
    "QueltEnglish.quelt > QueltEnglish.big",
    "Art\\Textures\\SMGERMANFLAG > Art\\Textures\\SMGERMANFLAG.dds",
    "Art\\Textures\\AHOUSE > Art\\Textures\\AHOUSE.dds",
    "Art\\Textures\\GHOUSE > Art\\Textures\\GHOUSE.dds",
    "Art\\Textures\\RHOUSE > Art\\Textures\\RHOUSE.dds",
};

// Activation then restore, with every optional step switched on.
TEST(SwitchModFiles, ActivatesAndRestoresInTableOrder) {
  fixture::install_folder("g -ExPack01 -extrarename a b");
  fake::world().files["a"] = "extra";
  fake::world().settings["Swastika"] = "yes";
  fake::world().settings["HouseColors"] = "NO";
  auto before = fake::world().files;

  EXPECT_TRUE(switch_mod_files(kActivate, kStrict));
  EXPECT_EQ(renames(), kActivation);

  fake::world().log.clear();
  EXPECT_TRUE(switch_mod_files(kRestore, kStrict));
  Names restore;
  for (const auto& line : kActivation) {
    size_t arrow = line.find(" > ");
    restore.push_back(line.substr(arrow + 3) + " > " + line.substr(0, arrow));
  }
  EXPECT_EQ(renames(), restore);
  EXPECT_EQ(fake::world().files, before);
}

TEST(SwitchModFiles, TexturesFollowTheSettingsOfTheMoment) {
  struct Case {
    const char* note;
    const char* swastika;     // nullptr: key missing
    const char* house_colors;
    bool flag_renamed;
    bool houses_renamed;
  } const cases[] = {
      {"defaults", nullptr, nullptr, false, false},
      {"Yes and No", "Yes", "No", true, true},
      {"lower case counts", "yes", "no", true, true},
      {"other values leave them", "1", "false", false, false},
      {"Yes with a blank after it", "Yes ", "No.", false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.note);
    fixture::install_folder();
    if (c.swastika) fake::world().settings["Swastika"] = c.swastika;
    if (c.house_colors) fake::world().settings["HouseColors"] = c.house_colors;
    EXPECT_TRUE(switch_mod_files(kActivate, kStrict));
    EXPECT_EQ(fake::world().files.count("Art\\Textures\\SMGERMANFLAG.dds"), c.flag_renamed ? 1u : 0u);
    EXPECT_EQ(fake::world().files.count("Art\\Textures\\RHOUSE.dds"), c.houses_renamed ? 1u : 0u);
  }
}

TEST(SwitchModFiles, StrictStopsAtTheFirstFailedCountedRename) {
  fixture::install_folder("g -ExPack02");
  fake::world().files.erase("QueltAudio.Quelt");
  auto before = fake::world().files;
  EXPECT_FALSE(switch_mod_files(kActivate, kStrict));
  Names expected(kActivation.begin(), kActivation.begin() + 6);
  expected.back() += " failed";
  EXPECT_EQ(renames(), expected);
  // The caller's lenient restore puts the first five back.
  EXPECT_TRUE(switch_mod_files(kRestore, kLenient));
  EXPECT_EQ(fake::world().files, before);
}

TEST(SwitchModFiles, MissingFirstArchiveTouchesNothing) {
  fixture::install_folder();
  fake::world().files.erase("Window.big");
  auto before = fake::world().files;
  EXPECT_FALSE(switch_mod_files(kActivate, kStrict));
  EXPECT_EQ(renames(), Names{"Window.big > Window.big.generals failed"});
  EXPECT_EQ(fake::world().files, before);
}

TEST(SwitchModFiles, LenientGoesOnPastFailures) {
  fixture::install_folder();
  fake::world().files.erase("Window.big");
  fake::world().files.erase("QueltINI.Quelt");
  EXPECT_TRUE(switch_mod_files(kActivate, kLenient));
  EXPECT_EQ(fake::world().files.count("QueltWindow.big"), 1u);
  EXPECT_EQ(fake::world().files.count("QueltEnglish.big"), 1u);
}

TEST(SwitchModFiles, LenientRestoreOfAnInactiveFolderChangesNothing) {
  fixture::install_folder("g -ExPack01");
  auto before = fake::world().files;
  EXPECT_TRUE(switch_mod_files(kRestore, kLenient));
  EXPECT_EQ(fake::world().files, before);
}

TEST(SwitchModFiles, RepairsAHalfActiveFolder) {
  fixture::install_folder("g -ExPack01");
  auto inactive = fake::world().files;
  // A run killed after its fifth rename.
  for (int i = 0; i < 5; ++i) {
    std::string line = kActivation[i];
    size_t arrow = line.find(" > ");
    ASSERT_TRUE(plat_rename(line.substr(0, arrow).c_str(), line.substr(arrow + 3).c_str()));
  }
  EXPECT_TRUE(switch_mod_files(kRestore, kLenient));
  EXPECT_EQ(fake::world().files, inactive);
}

TEST(SwitchModFiles, RegistryFailuresReturnFalseAndSkipTheTextures) {
  struct Case {
    const char* note;
    bool key;
    bool value;
    std::string language;
  } const cases[] = {
      {"key missing", false, true, "English"},
      {"value missing", true, false, "English"},
      {"501 characters", true, true, std::string(501, 'L')},
      {"600 characters", true, true, std::string(600, 'L')},
  };
  for (const Case& c : cases) {
    for (SwapDirection direction : {kActivate, kRestore}) {
      for (SwapStrictness strictness : {kStrict, kLenient}) {
        SCOPED_TRACE(std::string(c.note) + (direction == kActivate ? " activate" : " restore") +
                     (strictness == kStrict ? " strict" : " lenient"));
        fixture::install_folder();
        fake::world().settings["Swastika"] = "Yes";
        fake::world().settings["HouseColors"] = "No";
        fake::world().registry_key_present = c.key;
        fake::world().registry_value_present = c.value;
        fake::world().registry_language = c.language;
        EXPECT_FALSE(switch_mod_files(direction, strictness));
        for (const auto& line : fake::world().log) {
          EXPECT_NE(line.rfind("rename Art", 0), 0u) << line;
          EXPECT_NE(line.rfind("setting", 0), 0u) << line;
        }
      }
    }
  }
}

TEST(SwitchModFiles, LanguageNameFromTheRegistry) {
  struct Case {
    const char* note;
    std::string stored;
    std::string inactive;  // empty: refused
  } const cases[] = {
      {"with its NUL", std::string("English\0", 8), "QueltEnglish.quelt"},
      {"without a NUL", "German", "QueltGerman.quelt"},
      {"NUL inside ends it", std::string("French\0junk", 11), "QueltFrench.quelt"},
      {"empty", "", "Quelt.quelt"},
      {"500 characters fit", std::string(500, 'L'), "Quelt" + std::string(500, 'L') + ".quelt"},
      {"500 and a NUL fit", std::string(500, 'L') + '\0',
       "Quelt" + std::string(500, 'L') + ".quelt"},
      {"501 without a NUL is refused", std::string(501, 'L'), ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.note);
    fake::reset();
    fake::world().registry_language = c.stored;
    char inactive[kLanguageNameSize];
    char active[kLanguageNameSize];
    bool ok = language_archive_names(inactive, active);
    EXPECT_EQ(ok, !c.inactive.empty());
    if (ok) {
      EXPECT_EQ(std::string(inactive), c.inactive);
      EXPECT_EQ(std::string(active), c.inactive.substr(0, c.inactive.size() - 6) + ".big");
    }
  }
}

TEST(SwitchModFiles, MissingLanguageArchiveEndsTheProcess) {
  fixture::install_folder();
  fake::world().files.erase("QueltEnglish.quelt");
  unsigned code = fixture::exit_code_of([] { switch_mod_files(kActivate, kStrict); });
  EXPECT_EQ(code, 0xFFFFFD66u);
  ASSERT_EQ(fake::world().message_boxes.size(), 1u);
  const auto& box = fake::world().message_boxes[0];
  EXPECT_EQ(box.text, "You dont have this language installed");
  EXPECT_EQ(box.caption, "LanguageError");
  EXPECT_EQ(box.type, 0x30u);
  EXPECT_EQ(box.owner, nullptr);
  // Rows 1-9 and the scripts folder stay active for the next start.
  EXPECT_EQ(fake::world().files.count("QueltWindow.big"), 1u);
  EXPECT_EQ(fake::world().files.count("Data\\genscripts"), 1u);
}

TEST(SwitchModFiles, MissingLanguageArchiveInOtherCallsIsNoExit) {
  struct Case {
    SwapDirection direction;
    SwapStrictness strictness;
    bool result;
  } const cases[] = {
      {kRestore, kStrict, false},
      {kRestore, kLenient, true},
      {kActivate, kLenient, true},
  };
  for (const Case& c : cases) {
    fixture::install_folder();
    fake::world().files.erase("QueltEnglish.quelt");
    EXPECT_EQ(switch_mod_files(c.direction, c.strictness), c.result);
    EXPECT_TRUE(fake::world().message_boxes.empty());
  }
}

}  // namespace
