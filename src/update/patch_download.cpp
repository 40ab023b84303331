#include "update/patch_download.h"

#include <stdio.h>
#include <stdlib.h>

#include "platform/platform.h"
#include "update/version_check.h"

namespace {

const char kTempFile[] = "update.tmp";
const char kScriptFile[] = "launcher.bat";

// Waits for the launcher's program file to be free, puts the copy back,
// runs the patch, then deletes itself. Written in text mode, so each of the
// first seven lines ends CR CR LF on disk.
const char kScriptTemplate[] =
    "del launchr~.exe\r\ncopy launcher.exe launchr~.exe\r\n:l1\r\ndel launcher.exe\r\n"
    "if EXIST launcher.exe goto l1\r\nren launchr~.exe launcher.exe\r\n%s\r\ndel %%0";

enum Outcome {
  kComplete,    // every announced byte is in update.tmp
  kCancelled,   // the dialog is gone: no message, nothing installed
  kNoInternet,  // R1
  kNoTempFile,  // R2
  kNoLaunch,    // R3
};

// Each progress message is a round trip to the dialog's thread and a
// repaint; ten a second are plenty for the eye and keep them off the
// transfer's path.
const unsigned kProgressIntervalMs = 100;

struct Transfer {
  PlatWindow dialog;
  unsigned last_progress;  // tick of the last progress shown
  char* buffer;            // 64 KiB, owned by the worker
  PlatHandle internet;
  PlatHandle request;
  PlatHandle file;         // update.tmp while open
};

void close_transfer(Transfer* t) {
  if (t->file) plat_close_handle(t->file);
  if (t->request) plat_internet_close(t->request);
  if (t->internet) plat_internet_close(t->internet);
  t->file = t->request = t->internet = nullptr;
}

// Shows the byte count and the bar's position: the first and the last time,
// and in between at most every kProgressIntervalMs.
void show_progress(Transfer* t, unsigned received, unsigned length) {
  unsigned now = plat_tick_count();
  bool due = received == 0 || received >= length || now - t->last_progress >= kProgressIntervalMs;
  if (!due) return;
  t->last_progress = now;
  char text[128];  // the byte count; never longer than 23 characters
  snprintf(text, sizeof text, "%i/%i bytes", static_cast<int>(received), static_cast<int>(length));
  plat_send_item_message(t->dialog, kByteCountId, kMsgSetText, 0, reinterpret_cast<intptr_t>(text));
  plat_send_item_message(t->dialog, kProgressBarId, kPbmSetPos, static_cast<uintptr_t>(received), 0);
}

// Downloads the update address into update.tmp. Leaves handles for
// close_transfer whatever the outcome.
Outcome download(Transfer* t) {
  t->internet = plat_internet_open("LAUNCHER");
  if (!t->internet) return kNoInternet;
  t->request = plat_internet_open_url(t->internet, g_update_info.update_address);
  if (!t->request) return kNoInternet;
  unsigned length = 0;
  if (!plat_http_content_length(t->request, &length)) return kNoInternet;
  // An error page carries a length too, and an empty answer is no patch.
  unsigned status = 0;
  if (!plat_http_status(t->request, &status) || status < 200 || status > 299) return kNoInternet;
  if (length == 0) return kNoInternet;

  plat_send_item_message(t->dialog, kProgressBarId, kPbmSetRange32, 0, static_cast<intptr_t>(length));
  t->file = plat_create_file(kTempFile);
  if (!t->file) return kNoTempFile;

  unsigned received = 0;
  while (plat_window_exists(t->dialog)) {
    show_progress(t, received, length);
    unsigned read = 0;
    if (!plat_internet_read(t->request, t->buffer, kTransferBufferSize, &read)) return kNoInternet;
    if (read == 0) return received == length ? kComplete : kNoInternet;
    unsigned written = 0;
    // A patch with a hole must never run: a short write ends the download.
    if (!plat_write_file(t->file, t->buffer, read, &written) || written != read) {
      close_transfer(t);
      plat_delete_file(kTempFile);
      return kNoTempFile;
    }
    received += read;
  }
  return kCancelled;
}

// Turns the complete update.tmp into the patch program and starts the
// script. Ends the process on success.
Outcome install(PlatWindow dialog, char* buffer) {
  if (!plat_window_exists(dialog)) return kCancelled;
  // The version check offers no version unfit for a file name; this keeps
  // such a version out of the script even if it got here.
  if (!version_is_safe_for_file_name(g_update_info.remote_version)) return kNoTempFile;
  char patch_file[128];  // "patch_" + at most 31 characters + ".exe"
  snprintf(patch_file, sizeof patch_file, "patch_%s.exe", g_update_info.remote_version);
  plat_delete_file(patch_file);
  if (!plat_rename(kTempFile, patch_file)) return kNoTempFile;

  char script[kPatchScriptSize];
  if (!format_patch_script(patch_file, script, sizeof script)) return kNoTempFile;
  if (!plat_write_text_file(kScriptFile, script)) return kNoTempFile;

  PlatHandle process = nullptr;
  if (!plat_start_process(kScriptFile, nullptr, true, &process)) return kNoLaunch;
  plat_close_handle(process);
  free(buffer);
  plat_exit_process(0);
}

void report(PlatWindow dialog, Outcome outcome) {
  // A dialog the player already closed can own no message box.
  PlatWindow owner = plat_window_exists(dialog) ? dialog : nullptr;
  switch (outcome) {
    case kNoInternet:
      plat_message_box(owner,
                       "Update could not be completed due to lack of Internet connection\n\n"
                       "Please make sure you are connected to Internet",
                       "Authomatic Update", kMbIconWarning);
      break;
    case kNoTempFile:
      plat_message_box(owner, "Can't create temporary file", "Launcher", kMbIconError);
      break;
    case kNoLaunch:
      plat_message_box(nullptr, "Can't launch patch automatically", "Launcher", kMbIconWarning);
      break;
    case kComplete:
    case kCancelled:
      return;
  }
  plat_end_dialog_from_worker(dialog, 1);
}

}  // namespace

bool format_patch_script(const char* patch_file, char* script, size_t size) {
  int length = snprintf(script, size, kScriptTemplate, patch_file);
  return length >= 0 && static_cast<size_t>(length) < size;
}

void download_worker(void* dialog) {
  Transfer t = {};
  t.dialog = dialog;
  t.buffer = static_cast<char*>(malloc(kTransferBufferSize));
  Outcome outcome = t.buffer ? download(&t) : kNoInternet;
  close_transfer(&t);
  if (outcome == kComplete) outcome = install(t.dialog, t.buffer);
  // After a cancel nothing of the download may stay behind.
  if (outcome == kCancelled) plat_delete_file(kTempFile);
  free(t.buffer);
  report(t.dialog, outcome);
}
