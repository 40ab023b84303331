// Activation and restore of the modification: renames only, so the names on
// disk are the whole state and a half-done run can always be undone.
#pragma once

enum SwapDirection { kActivate, kRestore };
enum SwapStrictness { kLenient, kStrict };

// Renames the base table, the extra pairs of the launch request, the scripts
// folder, the language archive and the optional textures in `direction`.
// False when it stopped early. A strict activation whose language archive
// cannot be renamed shows a message and ends the process with -666.
bool switch_mod_files(SwapDirection direction, SwapStrictness strictness);

// The two names of the language archive for the language in the registry:
// "Quelt<language>.quelt" and "Quelt<language>.big". False when the
// registry key or value is missing or the value is too long for the names.
bool language_archive_names(char* inactive, char* active);

const unsigned kLanguageNameSize = 512;
// The longest language value that leaves room for prefix, suffix and NUL.
const unsigned kMaxLanguageLength = 500;

const unsigned kExitLanguageMissing = static_cast<unsigned>(-666);
