// Looks for a newer release of the modification on its web server.
#pragma once

#include <stddef.h>

struct UpdateInfo {
  char remote_version[32];    // first word of the version file
  char update_address[512];   // third word: patch program or download page
};

// Written by the version check before the download worker starts; only read
// afterwards.
extern UpdateInfo g_update_info;

const unsigned kVersionBodySize = 65536;
const size_t kModeSize = 12;

// Splits the version file's three white-space separated words into the
// remote version, the mode and the update address. A word longer than its
// buffer is cut; the rest of that word is skipped, never taken for the
// next word. Missing words stay empty.
void scan_version_file(const char* body, UpdateInfo* info, char* mode);

// Whether `version` may become part of a file name and of a batch script
// line: letters, digits, '.', '-' and '_' only, and not empty.
bool version_is_safe_for_file_name(const char* version);

// The update stage: fetches the version file, compares, and offers the
// download or the browser page. May end the process with exit code 0.
void check_for_update();

// The address of the version file, fixed per build.
extern const char kVersionFileAddress[];
