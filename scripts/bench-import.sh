#!/bin/bash
# Folder import under Wine (bench_import) on a generated tree of 20,000 DDS files in
# 2,000 folders with 10,000 other files mixed in, beside `find TREE -iname '*.dds'` on
# the same tree as the floor (best of 5, after a warm-up).
#   scripts/bench-import.sh [BUILD_DIR]   (default: build-bench-import-win)
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
win=${1:-$root/build-bench-import-win}

cmake -S "$root" -B "$win" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw32.cmake" \
  -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$win" --target bench_import readdxt >/dev/null
win=$(cd "$win" && pwd)

work=$(mktemp -d /tmp/texlook-import-bench-XXXXXX)
# A prefix kept between runs: a fresh one is still busy setting itself up for a while.
state=$win/wine-bench
trap '"$root/tests/wine/wine-run.sh" "$state" --stop >/dev/null 2>&1; rm -rf "$work"' EXIT
tree=$work/tree
# 40 folders with 49 subfolders each (2,000 folders); 10 DDS files (some in upper or
# mixed case) and 5 other files in each.
python3 - "$tree" <<'PY'
import os, sys
tree = sys.argv[1]
header = b"DDS " + bytes(124)
n = 0
for top in range(40):
    for sub in range(50):
        folder = os.path.join(tree, "set-%02d" % top) if sub == 0 else os.path.join(tree, "set-%02d" % top, "textures-%02d" % sub)
        os.makedirs(folder, exist_ok=True)
        for i in range(10):
            ext = (".dds", ".DDS", ".Dds")[i % 3]
            with open(os.path.join(folder, "texture_%05d%s" % (n, ext)), "wb") as f:
                f.write(header)
            n += 1
        for i, other in enumerate(("readme.txt", "preview.tga", "notes.dds.bak", "model.obj", "thumbs.png")):
            with open(os.path.join(folder, other), "wb") as f:
                f.write(b"x" * 64)
PY
ndds=$(find "$tree" -iname '*.dds' | wc -l)
nfolders=$(find "$tree" -mindepth 1 -type d | wc -l)
nall=$(find "$tree" -type f | wc -l)
echo "tree: $nfolders folders, $ndds DDS files, $nall files in all"

find "$tree" -iname '*.dds' >/dev/null
best=
for _ in 1 2 3 4 5; do
  start=$(date +%s%N)
  find "$tree" -iname '*.dds' >/dev/null
  end=$(date +%s%N)
  t=$(((end - start) / 1000))
  if [ -z "$best" ] || [ "$t" -lt "$best" ]; then best=$t; fi
done
find_ms=$(awk "BEGIN{printf \"%.1f\", $best / 1000}")

"$root/tests/wine/wine-run.sh" "$state" --start >/dev/null 2>&1
"$root/tests/wine/wine-run.sh" "$state" cmd.exe /c exit >/dev/null 2>&1
sleep 2
bench() {
  "$root/tests/wine/wine-run.sh" "$state" "$win/bench/bench_import.exe" "Z:${tree//\//\\}" "Z:${win//\//\\}" \
    "$find_ms" | iconv -f cp1251 -t utf-8
}
# Every Wine call goes through the Wine server and back; on an idle machine each wake-up
# of a sleeping processor adds to that, so the figures are shown both ways.
echo "--- machine idle"
bench
echo "--- one processor kept busy by a spinning shell (no deep sleep between server calls)"
sh -c 'while :; do :; done' &
spinner=$!
bench
kill "$spinner"
