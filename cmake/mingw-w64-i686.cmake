# Cross-compiles the launchers as 32-bit Windows programs with mingw-w64.
set(MINGW_ARCH i686)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)
