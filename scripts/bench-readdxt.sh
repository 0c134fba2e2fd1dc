#!/bin/bash
# Benchmarks the converter: the whole file-to-TGA time of readdxt (native release build) on
# generated 4096 x 4096 and 1024 x 1024 textures beside a copy of the same number of bytes
# and ImageMagick (bench_convert), then the process start of readdxt.exe under Wine beside
# the native one. Medians of 5.
#   scripts/bench-readdxt.sh [BUILD_PREFIX]   (default: build-bench-readdxt)
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
prefix=${1:-$root/build-bench-readdxt}
rel=$prefix-rel
win=$prefix-win

cmake -S "$root" -B "$rel" -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_C_COMPILER=clang \
  -DTEXLOOK_SANITIZE=OFF -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$rel" --target readdxt bench_convert >/dev/null
cmake -S "$root" -B "$win" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw32.cmake" \
  -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$win" --target readdxt >/dev/null

work=$(mktemp -d /tmp/readdxt-bench-XXXXXX)
trap 'rm -rf "$work"' EXIT
"$rel/bench/bench_convert" "$work"

# Process start: the median of 5 runs of a command, in milliseconds.
median_ms() {
  local times=() start end
  for _ in 1 2 3 4 5; do
    start=$(date +%s%N)
    "$@" >"$work/out.txt" 2>&1 || true
    end=$(date +%s%N)
    times+=($(((end - start) / 1000000)))
  done
  printf '%s\n' "${times[@]}" | sort -n | sed -n 3p
}

state=$work/wine
"$root/tests/wine/wine-run.sh" "$state" --start >/dev/null 2>&1
dds="Z:$(echo "$work/bc1-1024.dds" | tr / '\\')"
native_help=$(median_ms "$rel/readdxt" --help)
wine_help=$(median_ms "$root/tests/wine/wine-run.sh" "$state" "$win/readdxt.exe" --help)
native_1k=$(median_ms "$rel/readdxt" -o "$work/n.tga" "$work/bc1-1024.dds")
wine_1k=$(median_ms "$root/tests/wine/wine-run.sh" "$state" "$win/readdxt.exe" -o "$work/w.tga" "$dds")
"$root/tests/wine/wine-run.sh" "$state" --stop >/dev/null 2>&1
cmp -s "$work/n.tga" "$work/w.tga" && same="same output" || same="OUTPUT DIFFERS"
echo "process start (--help): Wine readdxt.exe $wine_help ms, native readdxt $native_help ms" \
  "($(awk "BEGIN{printf \"%.1f\", $wine_help / ($native_help > 0 ? $native_help : 1)}")x)"
echo "bc1-1024 whole run:     Wine readdxt.exe $wine_1k ms, native readdxt $native_1k ms ($same)"
