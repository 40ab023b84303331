// Command line, processes and waits over Win32.
#include <windows.h>

#include "platform/platform.h"

const char* plat_command_line() { return GetCommandLineA(); }

bool plat_start_process(const char* application, char* command_line, bool hidden,
                        PlatHandle* process) {
  STARTUPINFOA startup;
  ZeroMemory(&startup, sizeof startup);
  startup.cb = sizeof startup;  // 68 bytes in a 32-bit program
  if (hidden) {
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_HIDE;
  }
  PROCESS_INFORMATION info;
  ZeroMemory(&info, sizeof info);
  if (!CreateProcessA(application, command_line, nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &info)) {
    return false;
  }
  CloseHandle(info.hThread);
  *process = info.hProcess;
  return true;
}

void plat_wait_process(PlatHandle process) { WaitForSingleObject(process, INFINITE); }

void plat_close_handle(PlatHandle handle) { CloseHandle(handle); }

void plat_sleep(unsigned milliseconds) { Sleep(milliseconds); }

unsigned plat_tick_count() { return GetTickCount(); }

void plat_exit_process(unsigned code) { ExitProcess(code); }

bool plat_start_thread(void (*routine)(void*), void* parameter) {
  // The routine's signature differs from a thread procedure's in calling
  // convention, so a small trampoline carries it over.
  struct Start {
    void (*routine)(void*);
    void* parameter;
  };
  Start* start = static_cast<Start*>(HeapAlloc(GetProcessHeap(), 0, sizeof(Start)));
  if (!start) return false;
  start->routine = routine;
  start->parameter = parameter;
  struct Trampoline {
    static DWORD WINAPI run(LPVOID p) {
      Start copy = *static_cast<Start*>(p);
      HeapFree(GetProcessHeap(), 0, p);
      copy.routine(copy.parameter);
      return 0;
    }
  };
  HANDLE thread = CreateThread(nullptr, 0, Trampoline::run, start, 0, nullptr);
  if (!thread) {
    HeapFree(GetProcessHeap(), 0, start);
    return false;
  }
  CloseHandle(thread);  // nobody waits for the worker
  return true;
}
