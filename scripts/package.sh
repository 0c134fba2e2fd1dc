#!/bin/bash
# Builds the release and packs it for Windows users:
#   scripts/package.sh [BUILD_DIR [OUT_DIR]]
# writes OUT_DIR/texlook-<version>-win32.zip (default dist/) with one folder
# texlook-<version>/ holding texlook.exe, readdxt.exe, the guide ПРОЧТИ.txt and the changes
# ИЗМЕНЕНИЯ.txt. Without BUILD_DIR a release build without tests is made in build/release;
# with it, that build's programs are packed (the tests pass theirs).
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
# The one version number lives in project() of the top CMakeLists.txt.
version=$(sed -n 's/^project(Texlook VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt")
[ -n "$version" ] || { echo "package.sh: no version in CMakeLists.txt" >&2; exit 1; }
build=${1:-$root/build/release}
out=$(realpath -m "${2:-$root/dist}")
if [ $# -eq 0 ]; then
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw32.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DTEXLOOK_TESTS=OFF >/dev/null
fi
cmake --build "$build" -j "$(nproc)" --target texlook readdxt >/dev/null

name=texlook-$version
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
mkdir "$stage/$name"
# Without debugging information; the resources (icon, version) stay.
for exe in texlook readdxt; do
  i686-w64-mingw32-strip -o "$stage/$name/$exe.exe" "$build/$exe.exe"
done
# For Notepad: UTF-8 with a byte-order mark and Windows line ends.
text() {
  { printf '\xEF\xBB\xBF'; sed -e "s/@VERSION@/$version/g" -e 's/$/\r/' "$root/release/$1"; } > "$stage/$name/$2"
}
text readme-ru.txt ПРОЧТИ.txt
text changes-ru.txt ИЗМЕНЕНИЯ.txt

mkdir -p "$out"
rm -f "$out/$name-win32.zip"
# Python's zipfile marks non-ASCII names as UTF-8 (flag bit 11), which Windows' Explorer
# reads; Info-ZIP's zip leaves the flag unset, and Explorer then shows the Cyrillic names
# in the DOS code page.
(cd "$stage" && python3 - "$out/$name-win32.zip" "$name" <<'PY'
import os, sys, zipfile
zip_path, folder = sys.argv[1:]
with zipfile.ZipFile(zip_path, "w", zipfile.ZIP_DEFLATED) as z:
    z.write(folder)
    for name in sorted(os.listdir(folder)):
        z.write(os.path.join(folder, name))
PY
)
echo "$out/$name-win32.zip"
