#!/bin/bash
# Repaint of a shown, shrunk preview under Wine: halftone shrink per repaint against the
# cached shrink, and the one-time downscale. Stops its Wine server and display at the end.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/scripts/host.sh"
echo "Windows build: ${run_arch}-bit (the one this machine runs first)"
build=$root/build/$(win_build_dir "$run_arch")
"$root/scripts/build.sh" "win$run_arch" >/dev/null
cmake --build "$build" --target bench_repaint >/dev/null
run="$root/tests/wine/wine-run.sh"
state="$build/bench-wine"
trap '"$run" "$state" --stop' EXIT
"$run" "$state" "$build/bench/bench_repaint.exe"
