/* Stands in for a downloaded patch program. Records to STUB_PATCH_RECORD
 * that it ran and from which folder, and copies "launcher.bat" as it finds
 * it to the same name with ".bat" added (the script deletes itself after
 * the patch ends). */
#include <windows.h>
#include <stdio.h>
#include <stdlib.h>

int main(void) {
  const char* record = getenv("STUB_PATCH_RECORD");
  if (!record) return 1;
  char copy[MAX_PATH];
  snprintf(copy, sizeof copy, "%s.bat", record);
  CopyFileA("launcher.bat", copy, FALSE);
  FILE* out = fopen(record, "ab");
  if (!out) return 1;
  char folder[MAX_PATH];
  GetCurrentDirectoryA(sizeof folder, folder);
  fprintf(out, "ran=1\nfolder=%s\ncommand_line=%s\n", folder, GetCommandLineA());
  fclose(out);
  return 0;
}
