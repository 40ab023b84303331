// Private window messages between the worker thread and dialog procedures.
#pragma once

#include <windows.h>

// wparam: the result the dialog ends with.
const UINT kMsgEndDialogRequest = WM_APP + 1;
