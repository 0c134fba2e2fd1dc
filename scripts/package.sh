#!/bin/bash
# Builds the release and packs it for Windows users:
#   scripts/package.sh [BUILD_DIR [OUT_DIR]]
# writes OUT_DIR/texlook-<version>-win32.zip and texlook-<version>-win64.zip (default
# dist/), each with one folder texlook-<version>/ holding texlook.exe, readdxt.exe, the
# guide ПРОЧТИ.txt and the changes ИЗМЕНЕНИЯ.txt. Without BUILD_DIR release builds without
# tests are made in build/release (32-bit) and build/release64 (64-bit); with it, that
# build's programs are packed into the zip of its kind (the tests pass theirs).
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
# The one version number lives in project() of the top CMakeLists.txt.
version=$(sed -n 's/^project(Texlook VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt")
[ -n "$version" ] || { echo "package.sh: no version in CMakeLists.txt" >&2; exit 1; }
out=$(realpath -m "${2:-$root/dist}")
name=texlook-$version

pack() {  # pack BUILD_DIR: the zip of that build's kind (win32 or win64)
  local build=$1 arch tools
  arch=$(cat "$build/wine-arch")
  tools=$([ "$arch" = win64 ] && echo x86_64-w64-mingw32 || echo i686-w64-mingw32)
  cmake --build "$build" -j "$(nproc)" --target texlook readdxt >/dev/null
  stage=$(mktemp -d)
  mkdir "$stage/$name"
  # Without debugging information; the resources (icon, version) stay.
  for exe in texlook readdxt; do
    "$tools-strip" -o "$stage/$name/$exe.exe" "$build/$exe.exe"
  done
  # For Notepad: UTF-8 with a byte-order mark and Windows line ends.
  text() {
    { printf '\xEF\xBB\xBF'; sed -e "s/@VERSION@/$version/g" -e 's/$/\r/' "$root/release/$1"; } > "$stage/$name/$2"
  }
  text readme-ru.txt ПРОЧТИ.txt
  text changes-ru.txt ИЗМЕНЕНИЯ.txt

  mkdir -p "$out"
  rm -f "$out/$name-$arch.zip"
  # Python's zipfile marks non-ASCII names as UTF-8 (flag bit 11), which Windows' Explorer
  # reads; Info-ZIP's zip leaves the flag unset, and Explorer then shows the Cyrillic names
  # in the DOS code page.
  (cd "$stage" && python3 - "$out/$name-$arch.zip" "$name" <<'PY'
import os, sys, zipfile
zip_path, folder = sys.argv[1:]
with zipfile.ZipFile(zip_path, "w", zipfile.ZIP_DEFLATED) as z:
    z.write(folder)
    for name in sorted(os.listdir(folder)):
        z.write(os.path.join(folder, name))
PY
  )
  rm -rf "$stage"
  echo "$out/$name-$arch.zip"
}

if [ $# -gt 0 ]; then pack "$(realpath "$1")"; exit; fi
. "$root/scripts/host.sh"
for bits in 32 64; do
  build=$root/build/release$(win_suffix $bits)
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw$bits.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DTEXLOOK_TESTS=OFF >/dev/null
  pack "$build"
done
