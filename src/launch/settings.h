// launcher.ini, section "settings": read only, never cached, never written.
#pragma once

// Reads `key` into `buffer`, or `fallback` when the key or the file is
// missing. Cuts at size - 1 characters; always NUL-terminated.
void read_setting(const char* key, const char* fallback, char* buffer, unsigned size);

// True unless "DisableInetUpdate" is "Yes" in any letter case.
bool update_enabled();

// Whether `key` (read with `fallback` into a buffer of `size`) equals
// `expected` ignoring the case of A-Z.
bool setting_is(const char* key, const char* fallback, unsigned size, const char* expected);
