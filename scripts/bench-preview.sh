#!/bin/bash
# Click-to-picture time of a 2048 x 2048 BC3 preview under Wine, split into converter run,
# TGA load and first paint, beside a bare converter start.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/build.sh" win >/dev/null
cmake --build "$root/build/win" --target bench_preview_click >/dev/null
run="$root/tests/wine/wine-run.sh"
state="$root/build/win/wine-bench"
trap '"$run" "$state" --stop >/dev/null 2>&1' EXIT
"$run" "$state" --start >/dev/null 2>&1
"$run" "$state" "$root/build/win/bench/bench_preview_click.exe" "Z:${root//\//\\}\\build\\win" | iconv -f cp1251 -t utf-8
