/* The least a launcher can do: start "generals.exe" the way ours does and
 * wait for it. The benchmark measures our launcher against it. */
#include <windows.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR arguments, int show) {
  (void)instance;
  (void)previous;
  (void)arguments;
  (void)show;
  char command_line[] = "-showTeamDot";
  STARTUPINFOA startup;
  ZeroMemory(&startup, sizeof startup);
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info;
  if (!CreateProcessA("generals.exe", command_line, NULL, NULL, FALSE, 0, NULL, NULL, &startup,
                      &info)) {
    return 3;
  }
  WaitForSingleObject(info.hProcess, INFINITE);
  CloseHandle(info.hThread);
  CloseHandle(info.hProcess);
  return 0;
}
