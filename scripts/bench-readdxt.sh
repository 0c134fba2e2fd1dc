#!/bin/bash
# Benchmarks the converter in one run:
#  1. bench_convert: the whole file-to-TGA time of readdxt (native release build) on
#     generated textures beside a copy of the same number of bytes and ImageMagick;
#  2. readdxt.exe under Wine on 4096 x 4096 BC1, BC3 and BC7 beside the native build and a
#     bare Wine process start (readdxt.exe --help), for the Windows build as it is (SSE2)
#     and the x87 build it replaced (same sources, TEXLOOK_WIN_SSE2=OFF). On a machine that
#     runs no 32-bit programs, the 64-bit build (x86-64 has no x87-only build; its second
#     column measures the same program again).
# Least of 7 (medians of 5 in bench_convert). Ends with the lines
# `result: readdxt_wine_over_native_<format> R`, where R = (Wine time - bare Wine process
# start) / native time, for the current Windows build.
#   scripts/bench-readdxt.sh [BUILD_PREFIX]   (default: build-bench-readdxt)
#   READDXT_BENCH_QUICK=1 skips part 1.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
prefix=${1:-$root/build-bench-readdxt}
rel=$prefix-rel
wine_run=$root/tests/wine/wine-run.sh
. "$root/scripts/host.sh"
echo "Windows build: ${run_arch}-bit (the one this machine runs first)"
if [ "$run_arch" = 32 ]; then win=$prefix-win old=$prefix-win-x87; else win=$prefix-win64 old=$win; fi

cmake -S "$root" -B "$rel" -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_C_COMPILER=clang \
  -DTEXLOOK_SANITIZE=OFF -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$rel" --target readdxt bench_convert >/dev/null
for dir in $(printf '%s\n' "$win" "$old" | sort -u); do
  sse2=ON; [ "$dir" = "$old" ] && [ "$old" != "$win" ] && sse2=OFF
  cmake -S "$root" -B "$dir" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw$run_arch.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DTEXLOOK_WIN_SSE2=$sse2 >/dev/null
  cmake --build "$dir" --target readdxt >/dev/null
done

work=$(mktemp -d /tmp/readdxt-bench-XXXXXX)
state=$work/wine
export WINEARCH=win$run_arch  # the prefix in $work lies outside the build folders
cleanup() {
  "$wine_run" "$state" --stop >/dev/null 2>&1 || true
  rm -rf "$work"
}
trap cleanup EXIT

if [ -z "${READDXT_BENCH_QUICK:-}" ]; then "$rel/bench/bench_convert"; fi

# Milliseconds of one run of a command.
run_ms() {
  local start end
  start=$(date +%s%N)
  "$@" >"$work/out.txt" 2>&1 || { echo "failed: $*" >&2; cat "$work/out.txt" >&2; exit 1; }
  end=$(date +%s%N)
  echo $(((end - start) / 1000000))
}
least() { printf '%s\n' "$@" | sort -n | head -1; }
. "$root/tests/wine/wine-loader.sh"

# The machine may be shared: the five commands of one texture take turns, round by round,
# and the least of 7 rounds is kept, the run least disturbed by others' work.
rounds=7
"$rel/bench/bench_convert" --generate "$work" bc1-4096 bc3-4096 bc7-4096
"$wine_run" "$state" --start >/dev/null 2>&1
"$wine_run" "$state" "$win/readdxt.exe" --help >/dev/null 2>&1  # first start loads the DLLs
"$wine_run" "$state" "$old/readdxt.exe" --help >/dev/null 2>&1
echo
echo "4096 x 4096, whole conversion, ms (least of $rounds); Wine start = readdxt.exe --help under Wine"
printf '%-6s %7s %10s %10s %11s %11s %11s %11s %s\n' format native "Wine SSE2" "Wine x87" "start SSE2" \
  "start x87" "SSE2 ratio" "x87 ratio" output
results=()
for f in bc1 bc3 bc7; do
  dds=$work/$f-4096.dds
  n=() w=() x=() ws=() xs=()
  for _ in $(seq $rounds); do
    n+=($(run_ms "$rel/readdxt" -o "$work/n.tga" "$dds"))
    w+=($(run_ms "$wine_run" "$state" "$win/readdxt.exe" -o "$(winpath "$work/w.tga")" "$(winpath "$dds")"))
    x+=($(run_ms "$wine_run" "$state" "$old/readdxt.exe" -o "$(winpath "$work/x.tga")" "$(winpath "$dds")"))
    ws+=($(run_ms "$wine_run" "$state" "$win/readdxt.exe" --help))
    xs+=($(run_ms "$wine_run" "$state" "$old/readdxt.exe" --help))
  done
  native=$(least "${n[@]}") new=$(least "${w[@]}") x87=$(least "${x[@]}")
  start_new=$(least "${ws[@]}") start_x87=$(least "${xs[@]}")
  same="same output"
  { cmp -s "$work/n.tga" "$work/w.tga" && cmp -s "$work/n.tga" "$work/x.tga"; } || same="OUTPUT DIFFERS"
  ratio=$(awk "BEGIN{printf \"%.2f\", ($new - $start_new) / $native}")
  ratio_x87=$(awk "BEGIN{printf \"%.2f\", ($x87 - $start_x87) / $native}")
  printf '%-6s %7s %10s %10s %11s %11s %11s %11s %s\n' "$f" "$native" "$new" "$x87" "$start_new" \
    "$start_x87" "$ratio" "$ratio_x87" "$same"
  results+=("result: readdxt_wine_over_native_$f $ratio")
  rm -f "$work"/*.tga
done
printf '%s\n' "${results[@]}"
