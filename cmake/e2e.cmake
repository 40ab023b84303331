# End-to-end tests: the real programs under Wine, registered when the
# Windows build they need is given.
set(LAUNCHER_WIN32_DIR "" CACHE PATH "Build folder of the Windows programs, for the end-to-end tests")
