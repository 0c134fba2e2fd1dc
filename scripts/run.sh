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
. "$root/tests/wine/wine-loader.sh"
use_wine "win$run_arch"
export WINEPREFIX=${WINEPREFIX:-$HOME/.wine-texlook$(win_suffix "$run_arch")}
[ -d "$WINEPREFIX" ] || "$wine" wineboot.exe -i >/dev/null 2>&1
exec "$wine" "$root/build/$(win_build_dir "$run_arch")/texlook.exe"
