// Settings values and the registry's language bytes -> the yes/no decisions
// and the language archive's names, which must fit their buffers.
#include <assert.h>
#include <stdint.h>
#include <string.h>

#include <string>

#include "launch/settings.h"
#include "platform/test_double/platform_double.h"
#include "swap/mod_files.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // Four fields separated by 0xFF: three settings and the registry value.
  std::string fields[4];
  int field = 0;
  for (size_t i = 0; i < size; ++i) {
    if (data[i] == 0xFF && field < 3) {
      ++field;
    } else {
      fields[field] += static_cast<char>(data[i]);
    }
  }
  fake::reset();
  fake::world().settings["DisableInetUpdate"] = fields[0].c_str();
  fake::world().settings["Swastika"] = fields[1].c_str();
  fake::world().settings["HouseColors"] = fields[2].c_str();
  fake::world().registry_language = fields[3];
  update_enabled();
  char inactive[kLanguageNameSize];
  char active[kLanguageNameSize];
  memset(inactive, 0x55, sizeof inactive);
  if (language_archive_names(inactive, active)) {
    assert(strnlen(inactive, sizeof inactive) < sizeof inactive);
    assert(strnlen(active, sizeof active) < sizeof active);
    assert(strncmp(inactive, "Quelt", 5) == 0);
  }
  fake::world().files = {{"Art\\Textures\\AHOUSE", "a"}, {"Art\\Textures\\SMGERMANFLAG", "f"}};
  switch_mod_files(kActivate, kLenient);
  switch_mod_files(kRestore, kLenient);
  assert(fake::world().files.size() == 2);
  return 0;
}
