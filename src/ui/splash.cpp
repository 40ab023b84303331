// The splash window: dialog 101, painted with bitmap 103, ended by its timer.
#include <windows.h>

#include "ui/resources/resource.h"
#include "ui/splash.h"

namespace {

const UINT_PTR kSplashTimer = 1;
const UINT kSplashMilliseconds = 5000;

HINSTANCE g_splash_instance;  // the module the bitmap is loaded from

void on_init_dialog(HWND dialog) {
  SetTimer(dialog, kSplashTimer, kSplashMilliseconds, nullptr);
  RECT desktop;
  GetClientRect(GetDesktopWindow(), &desktop);
  SplashPlacement at = splash_placement(desktop.right, desktop.bottom);
  SetWindowPos(dialog, HWND_TOP, at.x, at.y, at.width, at.height, SWP_NOOWNERZORDER);
}

// Loads the bitmap anew for every paint and releases everything it took.
void on_paint(HWND dialog) {
  HBITMAP picture = LoadBitmapA(g_splash_instance, MAKEINTRESOURCEA(IDB_SPLASH));
  PAINTSTRUCT paint;
  HDC target = BeginPaint(dialog, &paint);
  HDC memory = CreateCompatibleDC(target);
  HGDIOBJ previous = SelectObject(memory, picture);
  BitBlt(target, 0, 0, kSplashWidth, kSplashHeight, memory, 0, 0, SRCCOPY);
  SelectObject(memory, previous);
  DeleteDC(memory);
  DeleteObject(picture);
  EndPaint(dialog, &paint);
}

INT_PTR CALLBACK splash_proc(HWND dialog, UINT message, WPARAM, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      on_init_dialog(dialog);
      break;
    case WM_TIMER:
      EndDialog(dialog, 0);
      break;
    case WM_PAINT:
      on_paint(dialog);
      break;
  }
  return FALSE;
}

}  // namespace

void show_splash(PlatInstance instance) {
  g_splash_instance = static_cast<HINSTANCE>(instance);
  DialogBoxParamA(g_splash_instance, MAKEINTRESOURCEA(IDD_SPLASH), nullptr, splash_proc, 0);
}
