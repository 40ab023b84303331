// Files, settings file and registry over Win32.
#include <windows.h>
#include <stdio.h>

#include "platform/platform.h"

bool plat_rename(const char* from, const char* to) { return MoveFileA(from, to) != 0; }

void plat_read_profile_string(const char* section, const char* key, const char* fallback,
                              char* buffer, unsigned size, const char* file) {
  GetPrivateProfileStringA(section, key, fallback, buffer, size, file);
}

bool plat_read_machine_registry(const char* key_path, const char* value_name, void* data,
                                unsigned* size) {
  HKEY key;
  if (RegOpenKeyA(HKEY_LOCAL_MACHINE, key_path, &key) != ERROR_SUCCESS) return false;
  DWORD bytes = *size;
  LONG result = RegQueryValueExA(key, value_name, nullptr, nullptr, static_cast<BYTE*>(data), &bytes);
  RegCloseKey(key);
  if (result != ERROR_SUCCESS) return false;
  *size = bytes;
  return true;
}

PlatHandle plat_create_file(const char* name) {
  HANDLE file = CreateFileA(name, GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  return file == INVALID_HANDLE_VALUE ? nullptr : file;
}

bool plat_write_file(PlatHandle file, const void* data, unsigned size, unsigned* written) {
  DWORD done = 0;
  BOOL ok = WriteFile(file, data, size, &done, nullptr);
  *written = done;
  return ok != 0;
}

bool plat_delete_file(const char* name) { return DeleteFileA(name) != 0; }

bool plat_write_text_file(const char* name, const char* text) {
  FILE* file = fopen(name, "w");
  if (!file) return false;
  bool ok = fputs(text, file) >= 0;
  if (fclose(file) != 0) ok = false;
  return ok;
}
