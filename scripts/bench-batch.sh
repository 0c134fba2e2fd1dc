#!/bin/bash
# Benchmarks folder conversion (readdxt -r, native release build) in one run, on a generated
# tree of at least 200 DDS files of mixed formats and sizes (about 250 MB; bench_batch_tree):
#  - to TGA with -j = all cores, and the same tree with -j 1;
#  - to PNG with -j = all cores;
#  - ImageMagick (/usr/bin/convert) converting the files it reads (DXT1, DXT5, A8R8G8B8:
#    the tree's im/ folder) one by one to TGA, beside readdxt -j all on the same folder.
# Natively (readdxt.exe under Wine runs the same code; Wine adds only its start-up). The tree
# and the outputs live in memory (/dev/shm, or BENCH_BATCH_TMP), so that the shared disk's
# write-back does not decide the figures; the inputs are read once first, and every run
# writes a fresh output tree. The machine's own parallelism is measured beside it: two busy
# loops at once against one after the other. Least of 3 rounds for readdxt, one ImageMagick
# run. Ends with the lines
#   result: batch_cores_speedup     (-j 1 time / -j all time, TGA)
#   result: batch_tga_vs_imagemagick (ImageMagick time / readdxt time on im/)
#   result: batch_png_over_tga       (PNG time / TGA time, both -j all)
#   scripts/bench-batch.sh [BUILD_DIR]   (default: build-bench-batch)
# BENCH_BATCH_WINE=1 adds readdxt.exe (release build BUILD_DIR-win, of the Windows build this
# machine runs first) under Wine, TGA with -j all and -j 1, as `result: batch_cores_speedup_wine`.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build-bench-batch}
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_C_COMPILER=clang \
  -DTEXLOOK_SANITIZE=OFF -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" --target readdxt bench_batch_tree >/dev/null
readdxt=$build/readdxt
cores=$(nproc)
wine=${BENCH_BATCH_WINE:-}
if [ -n "$wine" ]; then
  . "$root/scripts/host.sh"
  echo "Windows build: ${run_arch}-bit (the one this machine runs first)"
  export WINEARCH=win$run_arch  # the prefix in the work folder lies outside the build folders
  cmake -S "$root" -B "$build-win" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw$run_arch.cmake" \
    -DCMAKE_BUILD_TYPE=Release >/dev/null
  cmake --build "$build-win" --target readdxt >/dev/null
fi

tmp=${BENCH_BATCH_TMP:-/dev/shm}
[ -d "$tmp" ] && [ -w "$tmp" ] || tmp=/tmp
work=$(mktemp -d "$tmp/readdxt-batch-XXXXXX")
cleanup() {
  [ -z "$wine" ] || "$root/tests/wine/wine-run.sh" "$work/wine" --stop >/dev/null 2>&1 || true
  rm -rf "$work"
}
trap cleanup EXIT
"$build/bench/bench_batch_tree" "$work/in"
find "$work/in" -type f -exec cat {} + >/dev/null

# Seconds of one run of a command, its output tree removed afterwards.
run_s() {
  local out=$1 start end
  shift
  start=$(date +%s%N)
  "$@" >"$work/log.txt" 2>&1 || { echo "failed: $*" >&2; tail -5 "$work/log.txt" >&2; exit 1; }
  end=$(date +%s%N)
  rm -rf "$out"
  awk "BEGIN{printf \"%.2f\", ($end - $start) / 1e9}"
}
least() { printf '%s\n' "$@" | sort -g | head -1; }
imagemagick() {
  local f
  mkdir -p "$work/im-out"
  while IFS= read -r f; do /usr/bin/convert "$f" "$work/im-out/$(basename "$f" .dds).tga" || return 1; done \
    < <(find "$work/in/im" -name '*.dds' | sort)
}

spin() { local i=0; while [ $i -lt 400000 ]; do i=$((i + 1)); done; }
spin_both() { spin & spin; wait; }
spin_twice() { spin; spin; }

tga=() one=() png=() sub=() both=() twice=()
for round in 1 2 3; do
  tga+=($(run_s "$work/tga" "$readdxt" -r "$work/in" -d "$work/tga" -j "$cores"))
  one+=($(run_s "$work/one" "$readdxt" -r "$work/in" -d "$work/one" -j 1))
  png+=($(run_s "$work/png" "$readdxt" -r "$work/in" -d "$work/png" --png -j "$cores"))
  sub+=($(run_s "$work/sub" "$readdxt" -r "$work/in/im" -d "$work/sub" -j "$cores"))
  both+=($(run_s "$work/none" spin_both))
  twice+=($(run_s "$work/none" spin_twice))
  echo "round $round: TGA -j $cores ${tga[-1]} s, TGA -j 1 ${one[-1]} s, PNG -j $cores ${png[-1]} s, im/ TGA -j $cores ${sub[-1]} s"
done
# Sizes of one TGA and one PNG tree, for the record.
"$readdxt" -r "$work/in" -d "$work/tga" -j "$cores" 2>/dev/null
"$readdxt" -r "$work/in" -d "$work/png" --png -j "$cores" 2>/dev/null
files=$(find "$work/in" -name '*.dds' | wc -l)
ims=$(find "$work/in/im" -name '*.dds' | wc -l)
echo "input: $files files, $(du -sm "$work/in" | cut -f1) MB; TGA $(du -sm "$work/tga" | cut -f1) MB, PNG $(du -sm "$work/png" | cut -f1) MB"
rm -rf "$work/tga" "$work/png"
im=$(run_s "$work/im-out" imagemagick)
t=$(least "${tga[@]}") o=$(least "${one[@]}") p=$(least "${png[@]}") s=$(least "${sub[@]}")
echo "machine: two busy loops at once $(least "${both[@]}") s, one after the other $(least "${twice[@]}") s" \
  "(the most any -j $cores can gain: $(awk "BEGIN{printf \"%.2f\", $(least "${twice[@]}") / $(least "${both[@]}")}")x)"
echo "readdxt (native, least of 3): TGA -j $cores $t s, TGA -j 1 $o s, PNG -j $cores $p s"
echo "ImageMagick one by one on im/ ($ims files): $im s; readdxt -j $cores on im/: $s s"
if [ -n "$wine" ]; then
  . "$root/tests/wine/wine-loader.sh"
  exe() { "$root/tests/wine/wine-run.sh" "$work/wine" "$build-win/readdxt.exe" "$@"; }
  exe --version >/dev/null 2>&1  # the first start prepares the prefix
  wt=() w1=()
  for round in 1 2 3; do
    wt+=($(run_s "$work/wt" exe -r "$(winpath "$work/in")" -d "$(winpath "$work/wt")" -j "$cores"))
    w1+=($(run_s "$work/w1" exe -r "$(winpath "$work/in")" -d "$(winpath "$work/w1")" -j 1))
  done
  echo "readdxt.exe under Wine (least of 3): TGA -j $cores $(least "${wt[@]}") s, TGA -j 1 $(least "${w1[@]}") s"
fi
echo "result: batch_cores_speedup $(awk "BEGIN{printf \"%.2f\", $o / $t}")"
echo "result: batch_tga_vs_imagemagick $(awk "BEGIN{printf \"%.1f\", $im / $s}")"
echo "result: batch_png_over_tga $(awk "BEGIN{printf \"%.2f\", $p / $t}")"
[ -z "$wine" ] || echo "result: batch_cores_speedup_wine $(awk "BEGIN{printf \"%.2f\", $(least "${w1[@]}") / $(least "${wt[@]}")}")"
