# Cross-compiles the same sources as 64-bit Windows programs, for running the
# tests under wine64 where 32-bit Wine cannot run.
set(MINGW_ARCH x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)
