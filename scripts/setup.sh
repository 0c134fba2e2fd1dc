#!/bin/bash
# Installs what the build and the tests need on Debian, only when something is missing
# (so it needs no root once everything is there). Both Windows compilers always (the
# 32-bit release is built everywhere); 64-bit Wine always; 32-bit Wine only where this
# machine runs 32-bit programs.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/scripts/host.sh"
packages=(cmake ninja-build g++ clang libclang-rt-14-dev googletest
          g++-mingw-w64-i686-posix gcc-mingw-w64-i686-posix mingw-w64-i686-dev binutils-mingw-w64-i686
          g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix mingw-w64-x86-64-dev binutils-mingw-w64-x86-64
          wine wine64 xvfb x11-apps imagemagick locales xauth file python3
          libz-mingw-w64-dev zlib1g-dev)
wine32=0
if [ "$host_runs_32" = 1 ] || [ "${TEXLOOK_WIN_ARCH:-}" = 32 ]; then wine32=1; packages+=(wine32:i386); fi
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
as_root() { if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi; }
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  if [ "$wine32" = 1 ] && ! dpkg --print-foreign-architectures | grep -qx i386; then
    as_root dpkg --add-architecture i386
  fi
  as_root apt-get update -qq
  as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
# Wine takes its ANSI code page (1251) from this locale; without it Cyrillic turns into '?'.
if ! locale -a 2>/dev/null | grep -qix 'ru_RU.utf8'; then
  as_root localedef -i ru_RU -f UTF-8 ru_RU.UTF-8
fi
