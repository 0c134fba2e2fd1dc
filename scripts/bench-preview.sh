#!/bin/bash
# Click to picture under Wine (the Windows build this machine runs first), split into converter start, converter
# run, TGA load and first paint, for a 2048 x 2048 BC3 texture and the click for a 4096 x 4096
# BC7 one; beside, in the same run, native references on the same files: the native
# readdxt (release build) and the native second load of its TGA. The program and converter of
# commit $old_rev (the old way) run first, and its converter once more inside this program.
# Also printed: the floor of the clicks (a click holds a converter run, so the run over the
# start is the least a click over the start can be) and the clicks over the start of the
# old way, which gave the converter a console of its own.
#   scripts/bench-preview.sh [BUILD_PREFIX]   (default: build-bench-preview)
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
prefix=${1:-$root/build-bench-preview}
old_rev=228b324
rel=$prefix-rel old=$prefix-old
run="$root/tests/wine/wine-run.sh"
. "$root/scripts/host.sh"
echo "Windows build: ${run_arch}-bit (the one this machine runs first)"
win=$root/build/$(win_build_dir "$run_arch")
old=$old-win$run_arch

"$root/scripts/build.sh" "win$run_arch" >/dev/null
cmake --build "$win" --target bench_preview_click readdxt >/dev/null
cmake -S "$root" -B "$rel" -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_C_COMPILER=clang \
  -DTEXLOOK_SANITIZE=OFF -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$rel" --target readdxt bench_convert bench_tga_load >/dev/null
if [ ! -f "$old/build/window-program" ]; then
  rm -rf "$old" && mkdir -p "$old/src"
  git -C "$root" archive "$old_rev" | tar -x -C "$old/src"
  # Those sources pinned the open dialog's structure at its 32-bit size, which alone kept
  # them from building as 64-bit programs.
  sed -i 's/constexpr DWORD kOpenFileNameSize = 76;/constexpr DWORD kOpenFileNameSize = offsetof(OPENFILENAMEW, lpTemplateName) + sizeof(LPCWSTR);/' \
    "$old/src/src/toolkit/open_dialog_win.cpp"
  # Its benchmark measures starts from a window program, as Texlook is, like this build's.
  echo 'set_target_properties(bench_preview_click PROPERTIES WIN32_EXECUTABLE ON)' >> "$old/src/bench/CMakeLists.txt"
  # They also asked for a 32-bit processor in every build; x86-64 has SSE2 without it.
  sse2=ON && [ "$run_arch" = 64 ] && sse2=OFF
  cmake -S "$old/src" -B "$old/build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw$run_arch.cmake" \
    -DTEXLOOK_WIN_SSE2=$sse2 >/dev/null
  cmake --build "$old/build" --target readdxt bench_preview_click >/dev/null
  touch "$old/build/window-program"
fi

work=$(mktemp -d /tmp/texlook-bench-preview-XXXXXX)
state="$win/wine-bench"
cleanup() {
  "$run" "$state" --stop >/dev/null 2>&1 || true
  rm -rf "$work"
}
trap cleanup EXIT
. "$root/tests/wine/wine-loader.sh"
"$run" "$state" --start >/dev/null 2>&1
echo "The old way: the program and converter of $old_rev, measured its way (a new image for each"
echo "TGA load, the pane box invalidated and repainted with its parent):"
"$run" "$state" "$old/build/bench/bench_preview_click.exe" "$(winpath "$old/build")" | iconv -f cp1251 -t utf-8 |
  grep -v '^result:' | sed 's/^/  /'
echo "This build:"
"$run" "$state" "$win/bench/bench_preview_click.exe" "$(winpath "$win")" \
  "$(winpath "$work")" "$(winpath "$old/build")" | iconv -f cp1251 -t utf-8 | tee "$work/wine.txt" | grep -v '^value:'

value() { awk -v n="$1" '$1 == "value:" && $2 == n { print $3 }' "$work/wine.txt"; }
native_run=$("$rel/bench/bench_convert" --run "$work/bc3-2048.dds")
native_load=$("$rel/bench/bench_tga_load" "$work/bc3-2048.dds.tga")
native_bc7=$("$rel/bench/bench_convert" --run "$work/bc7-4096.dds")
echo "Native references on the same files (release build, median of 5 of the least of 3, ms):"
printf '  readdxt bc3-2048.dds, whole process        %8.1f\n' "$native_run"
printf '  second load of its TGA                     %8.1f\n' "$native_load"
printf '  readdxt bc7-4096.dds, whole process        %8.1f\n' "$native_bc7"
start=$(value start) wine_run=$(value run) load=$(value load) paint=$(value paint)
click=$(value click) click_bc7=$(value click_bc7) run_bc7=$(value run_bc7) old_start=$(value old_start)
awk -v start="$start" -v run="$wine_run" -v nrun="$native_run" -v load="$load" -v nload="$native_load" \
  -v paint="$paint" -v click="$click" -v bc7="$click_bc7" -v run_bc7="$run_bc7" -v nbc7="$native_bc7" \
  -v old_start="$old_start" 'BEGIN {
  # A click holds a whole converter run: the run over the start is the least the click over
  # the start can be, whatever the program does.
  printf "floor of the clicks: the converter run alone is %.2fx the start (2048 BC3) and %.2fx (4096 BC7);\n", run / start, run_bc7 / start
  printf "  natively the 4096 BC7 conversion alone takes %.2fx this start\n", nbc7 / start
  printf "the clicks over the start of the old way (with a console): %.2fx (2048 BC3), %.2fx (4096 BC7)\n", click / old_start, bc7 / old_start
  printf "goals: click <= 1.6x start, run - start <= 2x native, load <= 3x native, paint <= 10 ms, BC7 click <= 2.5x start\n"
  printf "result: click_over_start %.2f\n", click / start
  printf "result: converter_run_over_native %.2f\n", (run - start) / nrun
  printf "result: tga_load_wine_over_native %.2f\n", load / nload
  printf "result: first_paint_ms %.1f\n", paint
  printf "result: click_4096_bc7_over_start %.2f\n", bc7 / start
  printf "result: converter_run_over_start %.2f\n", run / start
  printf "result: converter_run_4096_bc7_over_start %.2f\n", run_bc7 / start
}'
