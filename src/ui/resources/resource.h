// Resource identifiers shared by the resource script and the dialogs.
#pragma once

#define IDD_SPLASH 101
#define IDB_SPLASH 103
#define IDI_PROGRAM 103
#define IDD_DOWNLOAD 104
#define IDC_PROGRESS 1001
#define IDC_BYTE_COUNT 1002
