#include "swap/mod_files.h"

#include <string.h>

#include "launch/command_line.h"
#include "launch/settings.h"
#include "launch/text.h"
#include "platform/platform.h"

namespace {

struct SwapPair {
  const char* inactive;
  const char* active;
};

// Rows 1-4 move the host's own archives aside, rows 5-9 give the
// modification's archives their active names. Order and letter case matter.
const SwapPair kBaseSwapTable[] = {
    {"Window.big", "Window.big.generals"},
    {"Maps.big", "Maps.big.generals"},
    {"INI.big", "INI.big.generals"},
    {"English.big", "English.big.generals"},
    {"QueltArt.Quelt", "QueltArt.big"},
    {"QueltAudio.Quelt", "QueltAudio.big"},
    {"QueltINI.Quelt", "QueltINI.Big"},
    {"QueltMaps.Quelt", "QueltMaps.Big"},
    {"QueltWindow.Quelt", "QueltWindow.big"},
};

const SwapPair kScriptsFolder = {"Data\\scripts", "Data\\genscripts"};
const SwapPair kFlagTexture = {"Art\\Textures\\SMGERMANFLAG", "Art\\Textures\\SMGERMANFLAG.dds"};
const SwapPair kHouseTextures[] = {
    {"Art\\Textures\\AHOUSE", "Art\\Textures\\AHOUSE.dds"},
    {"Art\\Textures\\GHOUSE", "Art\\Textures\\GHOUSE.dds"},
    {"Art\\Textures\\RHOUSE", "Art\\Textures\\RHOUSE.dds"},
};

const char kLanguageKey[] = "SOFTWARE\\Electronic Arts\\EA Games\\Generals";
const char kLanguagePrefix[] = "Quelt";

bool rename_pair(const char* inactive, const char* active, SwapDirection direction) {
  return direction == kActivate ? plat_rename(inactive, active) : plat_rename(active, inactive);
}

// Renames every pair of the extra list; false at the first failure when
// strict. The walk never leaves the buffer, even for a list without its
// closing NUL.
bool switch_extra_swaps(SwapDirection direction, SwapStrictness strictness) {
  const char* list = g_launch_request.extra_swaps;
  size_t position = 0;
  while (position < kSwapListSize && list[position] != '\0') {
    const char* inactive = list + position;
    size_t inactive_length = strnlen(inactive, kSwapListSize - position);
    if (position + inactive_length + 1 >= kSwapListSize) return strictness == kLenient;
    const char* active = inactive + inactive_length + 1;
    size_t active_length = strnlen(active, kSwapListSize - position - inactive_length - 1);
    position += inactive_length + 1 + active_length + 1;
    if (position > kSwapListSize) return strictness == kLenient;
    if (!rename_pair(inactive, active, direction) && strictness == kStrict) return false;
  }
  return true;
}

}  // namespace

bool language_archive_names(char* inactive, char* active) {
  char name[kLanguageNameSize];
  const size_t prefix = sizeof kLanguagePrefix - 1;
  memcpy(name, kLanguagePrefix, prefix);
  // Room for at most 500 characters and a NUL, so prefix, value and either
  // suffix always fit; a longer value is refused like a missing one.
  unsigned size = kMaxLanguageLength + 1;
  if (!plat_read_machine_registry(kLanguageKey, "Language", name + prefix, &size)) return false;
  if (size > kMaxLanguageLength + 1) return false;
  // A value stored without its NUL ends where its data ends.
  size_t length = strnlen(name + prefix, size);
  if (length > kMaxLanguageLength) return false;
  name[prefix + length] = '\0';
  strcpy(inactive, name);
  strcpy(active, name);
  strcat(inactive, ".quelt");
  strcat(active, ".big");
  return true;
}

bool switch_mod_files(SwapDirection direction, SwapStrictness strictness) {
  for (const SwapPair& pair : kBaseSwapTable) {
    if (!rename_pair(pair.inactive, pair.active, direction) && strictness == kStrict) return false;
  }
  if (!switch_extra_swaps(direction, strictness)) return false;

  rename_pair(kScriptsFolder.inactive, kScriptsFolder.active, direction);

  char inactive[kLanguageNameSize];
  char active[kLanguageNameSize];
  if (!language_archive_names(inactive, active)) return false;
  if (!rename_pair(inactive, active, direction) && strictness == kStrict) {
    if (direction == kActivate) {
      // Nothing is put back here: the next start's lenient restore repairs
      // the renames already made.
      plat_message_box(nullptr, "You dont have this language installed", "LanguageError",
                       kMbIconWarning);
      plat_exit_process(kExitLanguageMissing);
    }
    return false;
  }

  if (setting_is("Swastika", "No", 30, "Yes")) {
    rename_pair(kFlagTexture.inactive, kFlagTexture.active, direction);
  }
  if (setting_is("HouseColors", "Yes", 30, "No")) {
    for (const SwapPair& house : kHouseTextures) rename_pair(house.inactive, house.active, direction);
  }
  return true;
}
