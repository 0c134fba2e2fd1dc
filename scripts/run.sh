#!/bin/bash
# Installs what is missing, builds, and starts Texlook under Wine with our converter beside it.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
# Without a display Wine would wait for ever behind a window nobody can see.
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "run.sh: no display (neither DISPLAY nor WAYLAND_DISPLAY is set); start it from a desktop session" >&2
  exit 1
fi
"$root/scripts/setup.sh"
"$root/scripts/build.sh" win
export WINEPREFIX=${WINEPREFIX:-$HOME/.wine-texlook} WINEARCH=win32 WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export LANG=ru_RU.UTF-8 LC_ALL=ru_RU.UTF-8
[ -d "$WINEPREFIX" ] || wineboot -i >/dev/null 2>&1
exec wine "$root/build/win/texlook.exe"
