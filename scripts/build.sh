#!/bin/bash
# Builds the Windows programs and the native test build:
#   scripts/build.sh [all|win|win32|win64|native]
# win32: the 32-bit release programs in build/win; win64: the same sources as 64-bit
# programs in build/win64; win: both; all: both and build/native.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
jobs=$(nproc)
what=${1:-all}
win_build() {  # win_build BITS
  local dir=$root/build/win toolchain=$root/cmake/mingw32.cmake
  [ "$1" = 64 ] && dir=$root/build/win64 toolchain=$root/cmake/mingw64.cmake
  cmake -S "$root" -B "$dir" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" >/dev/null
  cmake --build "$dir" -j "$jobs"
}
case "$what" in
  all|win|win32) win_build 32 ;;&
  all|win|win64) win_build 64 ;;&
  all|native)
    cmake -S "$root" -B "$root/build/native" -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_C_COMPILER=clang >/dev/null
    cmake --build "$root/build/native" -j "$jobs" ;;
  win|win32|win64) ;;
  *) echo "build.sh: what to build: all, win, win32, win64 or native, not '$what'" >&2; exit 2 ;;
esac
