// Program entry of both launchers.
#include <windows.h>

#include "launch/run_sequence.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) { return run_launcher(instance); }
