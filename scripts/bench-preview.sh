#!/bin/bash
# Click-to-picture time of a 2048 x 2048 BC3 preview under Wine.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/build.sh" win
cmake --build "$root/build/win" --target bench_preview_click >/dev/null
run="$root/tests/wine/wine-run.sh"
"$run" "$root/build/win/wine" "$root/build/win/bench/bench_preview_click.exe" "Z:${root//\//\\}\\build\\win"
