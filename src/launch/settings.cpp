#include "launch/settings.h"

#include "launch/text.h"
#include "platform/platform.h"

void read_setting(const char* key, const char* fallback, char* buffer, unsigned size) {
  plat_read_profile_string("settings", key, fallback, buffer, size, ".\\launcher.ini");
}

bool setting_is(const char* key, const char* fallback, unsigned size, const char* expected) {
  char value[32];  // the largest setting buffer used for a yes/no value
  if (size > sizeof value) size = sizeof value;
  read_setting(key, fallback, value, size);
  return equals_ignoring_case(value, expected);
}

bool update_enabled() { return !setting_is("DisableInetUpdate", "No", 24, "Yes"); }
