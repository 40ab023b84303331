#include <gtest/gtest.h>

#include "launch/settings.h"
#include "launch/text.h"
#include "platform/test_double/platform_double.h"

namespace {

TEST(IgnoringCase, FoldsOnlyAsciiLetters) {
  struct Case {
    const char* a;
    const char* b;
    bool equal;
  } const cases[] = {
      {"Yes", "yes", true},   {"YES", "Yes", true},     {"nO", "No", true},
      {"Yes", "Yes ", false}, {"Ye", "Yes", false},     {"", "", true},
      {"\xC4", "\xE4", false},  // Latin-1 A and a umlaut are not folded
      {"[", "{", false},        // neighbours of the letters stay apart
      {"@", "`", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.a) + " vs " + c.b);
    EXPECT_EQ(equals_ignoring_case(c.a, c.b), c.equal);
  }
}

TEST(Settings, UpdateCheckIsOffOnlyForYes) {
  struct Case {
    const char* note;
    bool ini_present;
    const char* value;  // nullptr: key missing
    bool enabled;
  } const cases[] = {
      {"no launcher.ini", false, nullptr, true},
      {"key missing", true, nullptr, true},
      {"Yes", true, "Yes", false},
      {"YES", true, "YES", false},
      {"yes", true, "yes", false},
      {"No", true, "No", true},
      {"1 is not yes", true, "1", true},
      {"Yes with more", true, "Yes please", true},
      {"23 characters fit the 24-byte buffer", true, "yesxxxxxxxxxxxxxxxxxxxx", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.note);
    fake::reset();
    fake::world().ini_present = c.ini_present;
    if (c.value) fake::world().settings["DisableInetUpdate"] = c.value;
    EXPECT_EQ(update_enabled(), c.enabled);
  }
}

TEST(Settings, AnOverLongValueIsCutToItsBuffer) {
  fake::reset();
  fake::world().settings["Version"] = std::string(40, '7');
  char version[32];
  read_setting("Version", "", version, sizeof version);
  EXPECT_EQ(std::string(version), std::string(31, '7'));
}

TEST(Settings, MissingFileGivesTheDefault) {
  fake::reset();
  fake::world().ini_present = false;
  char value[30];
  read_setting("HouseColors", "Yes", value, sizeof value);
  EXPECT_STREQ(value, "Yes");
}

}  // namespace
