#!/bin/bash
# Screenshots of Texlook under Wine on a private Xvfb display (1024 x 768):
#   screenshot.sh OUT_DIR
# writes OUT_DIR/started.png (the window as it opens) and OUT_DIR/preview.png (a few
# generated DDS files listed, the first one previewed, shrunk to the pane).
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
out=$(realpath -m "${1:-$root/build/screenshots}")
mkdir -p "$out"
. "$root/scripts/host.sh"
build="$root/build/$(win_build_dir "$run_arch")"  # the build this machine runs first
state="$build/wine"
run="$root/tests/wine/wine-run.sh"
cmake --build "$build" --target texlook readdxt show_files >/dev/null
"$run" "$state" --start
display=":$(cat "$state/xvfb.display")"
shot() { sleep "$2"; xwd -root -display "$display" -silent | /usr/bin/convert xwd:- "$out/$1"; }
. "$root/tests/wine/wine-loader.sh"

"$run" "$state" "$build/texlook.exe" &
shot started.png 4
kill %1 2>/dev/null || true; wait 2>/dev/null || true

# The same files in the same folder every time, so that two builds' shots can be compared
# pixel by pixel.
tmp=${TMPDIR:-/tmp}/texlook-shots; rm -rf "$tmp"; mkdir -p "$tmp"; trap 'rm -rf "$tmp"' EXIT
/usr/bin/convert -seed 5 -size 1536x1024 plasma:fractal -define dds:compression=dxt5 "$tmp/плазма.dds"
/usr/bin/convert -size 256x256 gradient:navy-gold -define dds:compression=dxt1 "$tmp/gradient.dds"
"$run" "$state" "$build/tests/show_files.exe" "$(winpath "$build")" "$(winpath "$tmp/плазма.dds")" \
  "$(winpath "$tmp/gradient.dds")" &
shot preview.png 5
kill %1 2>/dev/null || true; wait 2>/dev/null || true
"$run" "$state" --stop
echo "$out/started.png $out/preview.png"
