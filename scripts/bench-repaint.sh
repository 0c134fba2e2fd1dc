#!/bin/bash
# Repaint of a shown, shrunk preview under Wine: halftone shrink per repaint against the
# cached shrink, and the one-time downscale. Stops its Wine server and display at the end.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/build.sh" win >/dev/null
cmake --build "$root/build/win" --target bench_repaint >/dev/null
run="$root/tests/wine/wine-run.sh"
state="$root/build/win/bench-wine"
trap '"$run" "$state" --stop' EXIT
"$run" "$state" "$root/build/win/bench/bench_repaint.exe"
