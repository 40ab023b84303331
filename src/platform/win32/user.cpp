// Message boxes, the browser and the download dialog's controls over Win32.
#include <windows.h>
#include <shellapi.h>

#include "platform/platform.h"
#include "platform/win32/messages.h"

int plat_message_box(PlatWindow owner, const char* text, const char* caption, unsigned type) {
  return MessageBoxA(static_cast<HWND>(owner), text, caption, type);
}

void plat_open_in_browser(const char* address) {
  ShellExecuteA(nullptr, "open", address, nullptr, nullptr, SW_SHOW);
}

bool plat_window_exists(PlatWindow window) { return IsWindow(static_cast<HWND>(window)) != 0; }

void plat_send_item_message(PlatWindow dialog, int control_id, unsigned message,
                            uintptr_t wparam, intptr_t lparam) {
  SendDlgItemMessageA(static_cast<HWND>(dialog), control_id, message, wparam, lparam);
}

void plat_end_dialog_from_worker(PlatWindow dialog, int result) {
  // The dialog belongs to the main thread, which ends it on this request.
  PostMessageA(static_cast<HWND>(dialog), kMsgEndDialogRequest, static_cast<WPARAM>(result), 0);
}
