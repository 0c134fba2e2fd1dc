#!/bin/bash
# Imports under Wine (bench_import_rows): rows on screen for a folder import of 20,000 DDS
# files in 2,000 folders (10,000 other files mixed in), a drop of 12,000 files of one folder
# and the open dialog choosing 5,000 of them, each beside the finding of the same files alone.
#   scripts/bench-import.sh [BUILD_DIR]   (default: build-bench-import-win)
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/scripts/host.sh"
. "$root/tests/wine/wine-loader.sh"
echo "Windows build: ${run_arch}-bit (the one this machine runs first)"
win=${1:-$root/build-bench-import-win$(win_suffix "$run_arch")}

cmake -S "$root" -B "$win" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw$run_arch.cmake" \
  -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$win" --target bench_import_rows readdxt >/dev/null
win=$(cd "$win" && pwd)

work=$(mktemp -d /tmp/texlook-import-bench-XXXXXX)
state=$win/wine-bench
trap '"$root/tests/wine/wine-run.sh" "$state" --stop >/dev/null 2>&1; rm -rf "$work"' EXIT
python3 - "$work" <<'PY'
import os, sys
work = sys.argv[1]
header = b"DDS " + bytes(124)
n = 0
# 40 folders with 49 subfolders each; 10 DDS files (some in upper or mixed case) and 5
# other files in each.
for top in range(40):
    for sub in range(50):
        folder = os.path.join(work, "tree", "set-%02d" % top)
        if sub:
            folder = os.path.join(folder, "textures-%02d" % sub)
        os.makedirs(folder, exist_ok=True)
        for i in range(10):
            with open(os.path.join(folder, "texture_%05d%s" % (n, (".dds", ".DDS", ".Dds")[i % 3])), "wb") as f:
                f.write(header)
            n += 1
        for other in ("readme.txt", "preview.tga", "notes.dds.bak", "model.obj", "thumbs.png"):
            with open(os.path.join(folder, other), "wb") as f:
                f.write(b"x" * 64)
flat = os.path.join(work, "flat")
os.makedirs(flat)
for i in range(12000):
    with open(os.path.join(flat, "texture_%05d.dds" % i), "wb") as f:
        f.write(header)
PY
echo "tree: $(find "$work/tree" -mindepth 1 -type d | wc -l) folders, $(find "$work/tree" -iname '*.dds' | wc -l) DDS files; one folder: $(ls "$work/flat" | wc -l) files"

"$root/tests/wine/wine-run.sh" "$state" --start >/dev/null 2>&1
"$root/tests/wine/wine-run.sh" "$state" cmd.exe /c exit >/dev/null 2>&1
sleep 2
"$root/tests/wine/wine-run.sh" "$state" "$win/bench/bench_import_rows.exe" "$(winpath "$work")\\tree" \
  "$(winpath "$work")\\flat" "$(winpath "$win")" | iconv -f cp1251 -t utf-8
