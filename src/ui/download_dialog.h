// The "Downloading Patch" dialog around the download worker.
#pragma once

// Shows dialog 104 modally with no owner. Returns when the player cancelled
// or the download failed; after a completed install the process has ended.
void run_download_dialog();
