/* Stands in for the host game or its map editor in end-to-end tests.
 * Appends to the file named by STUB_RECORD: when it started, its command
 * line, its current folder and every name in that folder while it runs;
 * then waits STUB_DELAY_MS and ends with STUB_EXIT. */
#include <windows.h>
#include <stdio.h>
#include <stdlib.h>

static long long unix_ms(void) {
  FILETIME ft;
  GetSystemTimeAsFileTime(&ft);
  ULARGE_INTEGER t;
  t.LowPart = ft.dwLowDateTime;
  t.HighPart = ft.dwHighDateTime;
  return (long long)((t.QuadPart - 116444736000000000ULL) / 10000ULL);
}

static void list_folder(FILE* out, const char* folder) {
  char pattern[MAX_PATH];
  snprintf(pattern, sizeof pattern, "%s\\*", folder);
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA(pattern, &found);
  if (search == INVALID_HANDLE_VALUE) return;
  do {
    if (strcmp(found.cFileName, ".") == 0 || strcmp(found.cFileName, "..") == 0) continue;
    char path[MAX_PATH];
    snprintf(path, sizeof path, "%s\\%s", folder, found.cFileName);
    fprintf(out, "name=%s\n", path + 2); /* without the leading ".\" */
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) list_folder(out, path);
  } while (FindNextFileA(search, &found));
  FindClose(search);
}

static int env_number(const char* name, int fallback) {
  const char* value = getenv(name);
  return value ? atoi(value) : fallback;
}

int main(void) {
  long long started = unix_ms();
  const char* record = getenv("STUB_RECORD");
  FILE* out = record ? fopen(record, "ab") : NULL;
  if (out) {
    char folder[MAX_PATH];
    GetCurrentDirectoryA(sizeof folder, folder);
    fprintf(out, "start_ms=%lld\ncommand_line=%s\nfolder=%s\n", started, GetCommandLineA(), folder);
    list_folder(out, ".");
    fflush(out);
  }
  Sleep((DWORD)env_number("STUB_DELAY_MS", 0));
  if (out) {
    fprintf(out, "end_ms=%lld\n", unix_ms());
    fclose(out);
  }
  return env_number("STUB_EXIT", 0);
}
