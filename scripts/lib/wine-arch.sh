# wine_arch: "win32" where Wine can run 32-bit programs, else "win64".
# Wine's 32-bit loader is a 32-bit Linux program; a kernel built without
# 32-bit support refuses it, and then only 64-bit Windows programs run.
wine_arch() {
  if [ -n "${LAUNCHER_E2E_ARCH:-}" ]; then
    echo "$LAUNCHER_E2E_ARCH"
  elif timeout 60 /usr/lib/wine/wine --version >/dev/null 2>&1; then
    echo win32
  else
    echo win64
  fi
}

# toolchain_for ARCH: the CMake toolchain file that builds programs of that kind.
toolchain_for() {
  if [ "$1" = win32 ]; then echo cmake/mingw-w64-i686.cmake; else echo cmake/mingw-w64-x86_64.cmake; fi
}
