#!/bin/bash
# Installs what is missing, builds, and starts Texlook under Wine with our converter beside
# it: the 32-bit release where this machine runs 32-bit programs, else the 64-bit build.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
# Without a display Wine would wait for ever behind a window nobody can see.
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "run.sh: no display (neither DISPLAY nor WAYLAND_DISPLAY is set); start it from a desktop session" >&2
  exit 1
fi
. "$root/scripts/host.sh"
echo "$run_note"
"$root/scripts/setup.sh"
"$root/scripts/build.sh" "win$run_arch"
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export LANG=ru_RU.UTF-8 LC_ALL=ru_RU.UTF-8
if [ "$run_arch" = 64 ]; then
  # The "wine" wrapper prefers the 32-bit loader wherever it is installed.
  export WINEPREFIX=${WINEPREFIX:-$HOME/.wine-texlook64} WINEARCH=win64
  export WINELOADER=/usr/lib/wine/wine64 WINESERVER=/usr/lib/wine/wineserver64
  wine=$WINELOADER
else
  export WINEPREFIX=${WINEPREFIX:-$HOME/.wine-texlook} WINEARCH=win32
  wine=wine
fi
[ -d "$WINEPREFIX" ] || "$wine" wineboot.exe -i >/dev/null 2>&1
exec "$wine" "$root/build/$(win_build_dir "$run_arch")/texlook.exe"
