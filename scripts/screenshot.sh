#!/bin/bash
# Starts Texlook under Wine on a private Xvfb display and saves a PNG screenshot of it.
#   screenshot.sh OUT.png [seconds to wait]
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
out=$(realpath -m "${1:-$root/build/screenshot.png}")
wait=${2:-6}
state="$root/build/win/wine"
run="$root/tests/wine/wine-run.sh"
"$run" "$state" --start
display=":$(cat "$state/xvfb.display")"
"$run" "$state" "$root/build/win/texlook.exe" &
pid=$!
sleep "$wait"
xwd -root -display "$display" -silent | /usr/bin/convert xwd:- "$out"
kill "$pid" 2>/dev/null || true
WINEPREFIX="$state/prefix" wineserver -k 2>/dev/null || true
echo "$out"
