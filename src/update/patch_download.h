// Downloads the patch program, names it after the remote version, and hands
// over to "launcher.bat", which waits for the launcher to end and runs it.
#pragma once

#include <stddef.h>

const int kProgressBarId = 1001;
const int kByteCountId = 1002;
const unsigned kTransferBufferSize = 65536;
const size_t kPatchScriptSize = 512;

// The worker thread's routine; `dialog` is the "Downloading Patch" dialog,
// which it drives through its controls and whose closing it treats as a
// cancel. Ends the process with 0 once the patch script has started.
void download_worker(void* dialog);

// Fills `script` with the install script for `patch_file`; false when it
// does not fit.
bool format_patch_script(const char* patch_file, char* script, size_t size);
