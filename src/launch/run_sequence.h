// The launcher's one run: update check, splash, command line, activation,
// the target program, restore.
#pragma once

#include "platform/platform.h"

const int kExitRan = 0;
const int kExitActivationFailed = 2;
const int kExitTargetNotStarted = 3;

// Returns the process exit code. May end the process earlier itself (update
// paths, a missing language archive).
int run_launcher(PlatInstance instance);
