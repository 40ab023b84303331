// Host stand-ins for the two modal dialogs, which only Windows can show.
// The splash is logged; the download dialog runs the worker on the calling
// thread, as if the dialog lived until the worker ended it.
#include "platform/test_double/platform_double.h"
#include "ui/download_dialog.h"
#include "ui/splash.h"
#include "update/patch_download.h"

void show_splash(PlatInstance) { fake::world().log.push_back("splash"); }

void run_download_dialog() {
  fake::world().log.push_back("download dialog");
  static int dialog;  // any address stands for the dialog's window
  download_worker(&dialog);
}
