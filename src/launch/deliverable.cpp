// Compiled once per program: the only code that differs between them.
#include "launch/command_line.h"
#include "update/version_check.h"

#ifndef LAUNCHER_DEFAULT_TARGET
#error "LAUNCHER_DEFAULT_TARGET names the program this launcher starts"
#endif
#ifndef LAUNCHER_VERSION_URL
#error "LAUNCHER_VERSION_URL is the address of the version file"
#endif

const char kDefaultTargetProgram[] = LAUNCHER_DEFAULT_TARGET;
const char kVersionFileAddress[] = LAUNCHER_VERSION_URL;
