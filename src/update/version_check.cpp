#include "update/version_check.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "launch/settings.h"
#include "platform/platform.h"
#include "ui/download_dialog.h"

UpdateInfo g_update_info;

namespace {

bool is_blank(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// Copies the next word of `*cursor` into `word`, cut to size - 1 characters.
void scan_word(const char** cursor, char* word, size_t size) {
  const char* p = *cursor;
  while (is_blank(*p)) ++p;
  size_t length = 0;
  while (p[length] != '\0' && !is_blank(p[length])) {
    if (length < size - 1) word[length] = p[length];
    ++length;
  }
  word[length < size - 1 ? length : size - 1] = '\0';
  *cursor = p + length;
}

// Reads the whole body into `body`, cut at kVersionBodySize - 1 bytes so
// the closing NUL always fits. False when a read fails.
bool read_body(PlatHandle request, char* body) {
  unsigned used = 0;
  for (;;) {
    unsigned room = kVersionBodySize - 1 - used;
    if (room == 0) break;
    unsigned read = 0;
    if (!plat_internet_read(request, body + used, room, &read)) return false;
    if (read == 0) break;
    used += read;
  }
  body[used] = '\0';
  return true;
}

// The version file in a buffer the caller frees, or null when it could not
// be had (nothing to free then).
char* fetch_version_file() {
  PlatHandle internet = plat_internet_open("LAUNCHER");
  if (!internet) return nullptr;
  PlatHandle request = plat_internet_open_url(internet, kVersionFileAddress);
  if (!request) {
    plat_internet_close(internet);
    return nullptr;
  }
  char* body = static_cast<char*>(malloc(kVersionBodySize));
  if (body && !read_body(request, body)) {
    free(body);
    body = nullptr;
  }
  plat_internet_close(request);
  plat_internet_close(internet);
  return body;
}

bool ask(const char* format) {
  char text[256];
  snprintf(text, sizeof text, format, g_update_info.remote_version);
  return plat_message_box(nullptr, text, "New Update Available", kMbOkCancelInfo) == kIdOk;
}

}  // namespace

void scan_version_file(const char* body, UpdateInfo* info, char* mode) {
  const char* cursor = body;
  scan_word(&cursor, info->remote_version, sizeof info->remote_version);
  scan_word(&cursor, mode, kModeSize);
  scan_word(&cursor, info->update_address, sizeof info->update_address);
}

bool version_is_safe_for_file_name(const char* version) {
  if (version[0] == '\0') return false;
  for (const char* p = version; *p; ++p) {
    char c = *p;
    bool ok = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
              c == '.' || c == '-' || c == '_';
    if (!ok) return false;
  }
  return true;
}

void check_for_update() {
  char* body = fetch_version_file();
  if (!body) return;  // no connection, no server, a broken transfer: silent

  char installed[32];
  read_setting("Version", "", installed, sizeof installed);
  if (installed[0] == '\0') {
    free(body);
    plat_message_box(nullptr, "Please reinstall, there are some Corrupt/Missing files",
                     "Expack0X", kMbIconWarning);
    plat_exit_process(0);
  }

  char mode[kModeSize];
  scan_version_file(body, &g_update_info, mode);
  free(body);

  // Any difference is an update, older or newer.
  if (strcmp(installed, g_update_info.remote_version) == 0) return;

  if (strcmp(mode, "YES") == 0) {
    // The version names the patch file and a line of the install script; a
    // version that could escape either is no offer.
    if (!version_is_safe_for_file_name(g_update_info.remote_version)) return;
    if (ask("There is a new update available (%s), the launcher will now download it.")) {
      run_download_dialog();
    }
    return;
  }
  if (strcmp(mode, "NO") == 0) {
    if (ask("There is a new update available (%s), a browser window will be opened where you "
            "can download it.")) {
      plat_open_in_browser(g_update_info.update_address);
      plat_exit_process(0);
    }
  }
}
