#!/bin/bash
# Sourced by the scripts that start Wine: `use_wine win32|win64` exports the prefix kind and
# sets `wine` to the loader for it; `winpath PATH` is a Linux path as Wine's programs see it.
# 64-bit programs go to the 64-bit loader and server by name: the "wine" wrapper prefers the
# 32-bit loader wherever it is installed, and that one cannot run where the kernel runs no
# 32-bit programs.
use_wine() {
  export WINEARCH=$1
  wine=wine
  if [ "$1" = win64 ] && [ -x /usr/lib/wine/wine64 ]; then
    wine=/usr/lib/wine/wine64
    export WINELOADER=$wine WINESERVER=/usr/lib/wine/wineserver64
  fi
}

winpath() { echo "Z:${1//\//\\}"; }
