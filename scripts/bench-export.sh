#!/bin/bash
# Export under Wine (bench_export): 200 rows of 512 x 512 BC3 textures, each row split
# into the converter run and the copy, the export worker on the real (hidden) window,
# and a plain copy of the same output files as the floor.
#   scripts/bench-export.sh [BUILD_DIR] [ROWS]   (default: build-bench-export-win, 200)
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/scripts/host.sh"
. "$root/tests/wine/wine-loader.sh"
echo "Windows build: ${run_arch}-bit (the one this machine runs first)"
win=${1:-$root/build-bench-export-win$(win_suffix "$run_arch")}
rows=${2:-200}

cmake -S "$root" -B "$win" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw$run_arch.cmake" \
  -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$win" --target bench_export readdxt >/dev/null

work=$(mktemp -d /tmp/texlook-export-bench-XXXXXX)
state=$work/wine
export WINEARCH=win$run_arch  # the prefix in $work lies outside the build folder
trap '"$root/tests/wine/wine-run.sh" "$state" --stop >/dev/null 2>&1; rm -rf "$work"' EXIT

"$root/tests/wine/wine-run.sh" "$state" --start >/dev/null 2>&1
"$root/tests/wine/wine-run.sh" "$state" "$win/bench/bench_export.exe" "$(winpath "$work")\\files" \
  "$(winpath "$win")\\readdxt.exe" "$rows"
