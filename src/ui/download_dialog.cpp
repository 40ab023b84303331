// Dialog 104 on the main thread; the download itself runs on the worker.
#include <windows.h>
#include <commctrl.h>

#include "platform/platform.h"
#include "platform/win32/messages.h"
#include "ui/download_dialog.h"
#include "ui/resources/resource.h"
#include "update/patch_download.h"

namespace {

void on_init_dialog(HWND dialog) {
  // The worker is not waited for; after a cancel it finishes its current
  // read on its own and cleans up.
  if (!plat_start_thread(download_worker, dialog)) EndDialog(dialog, 1);
}

INT_PTR CALLBACK download_dialog_proc(HWND dialog, UINT message, WPARAM wparam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      on_init_dialog(dialog);
      break;
    case WM_CLOSE:
      EndDialog(dialog, 1);
      break;
    case WM_COMMAND:
      if (wparam == IDCANCEL) EndDialog(dialog, 1);
      break;
    case kMsgEndDialogRequest:
      EndDialog(dialog, static_cast<INT_PTR>(wparam));
      break;
  }
  return FALSE;
}

}  // namespace

void run_download_dialog() {
  // The progress bar's window class must exist before the dialog is made.
  INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_PROGRESS_CLASS};
  InitCommonControlsEx(&controls);
  DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_DOWNLOAD), nullptr,
                  download_dialog_proc, 0);
}
