#!/bin/bash
# The Windows release as a user gets it: scripts/package.sh's zip of this build's kind
# (win32 or win64) holds exactly the two programs, the guide and the changes; both programs
# carry the version; unpacked into a folder with blanks and Cyrillic letters, Texlook adds
# a DDS file, previews it and writes "texlook.ini" beside itself on closing.
#   release_zip.sh BUILD_DIR SOURCE_DIR
set -u
build=$(realpath "$1"); src=$(realpath "$2")
run() { "$src/tests/wine/wine-run.sh" "$build/wine" "$@"; }
probe() { run "$build/tests/window_probe.exe" "$@" | tr -d '\r' | iconv -f CP1251 -t UTF-8; }
. "$src/tests/wine/wine-loader.sh"
work=$(mktemp -d); trap 'rm -rf "$work"' EXIT
failures=0
check() {  # check NAME CONDITION...
  local name=$1; shift
  if "$@"; then echo "ok: $name"; else echo "FAILED: $name"; failures=$((failures + 1)); fi
}

version=$(sed -n 's/^project(Texlook VERSION \([0-9.]*\).*/\1/p' "$src/CMakeLists.txt")
"$src/scripts/package.sh" "$build" "$work/dist" >/dev/null
zip=$work/dist/texlook-$version-$(cat "$build/wine-arch").zip  # the zip of this build's kind
# Names as a reader that honours the UTF-8 flag sees them (without it: the DOS code page).
names=$(python3 -c 'import sys, zipfile; print("\n".join(sorted(zipfile.ZipFile(sys.argv[1]).namelist())))' "$zip")
expected=$(printf "texlook-$version/%s\n" "" ИЗМЕНЕНИЯ.txt ПРОЧТИ.txt readdxt.exe texlook.exe | LC_ALL=C sort)
check "zip: exactly the programs, the guide and the changes" [ "$names" = "$expected" ]

dir="$work/Мои текстуры/новая папка"; app="$dir/texlook-$version"
mkdir -p "$dir" && python3 -m zipfile -e "$zip" "$dir"
check "guide: UTF-8 with a byte-order mark" [ "$(head -c 3 "$app/ПРОЧТИ.txt" | od -An -tx1 | tr -d ' ')" = efbbbf ]
check "readdxt --version" [ "$(run "$app/readdxt.exe" --version | tr -d '\r')" = "readdxt $version" ]
for exe in texlook readdxt; do
  info=$(probe version "$(winpath "$app/$exe.exe")" | head -4 | tr '\n' ';')
  check "$exe.exe: version resource" [ "$info" = "file version: $version.0;FileVersion: $version;ProductVersion: $version;ProductName: Texlook;" ]
done

# Under Wine from there: add a DDS file through the open dialog, preview it, close.
mkdir "$work/Текстуры игры"
convert -size 16x16 gradient:red-blue -alpha off -define dds:compression=dxt1 -define dds:mipmaps=0 \
  "$work/Текстуры игры/фон 1.dds"
(cd "$work" && timeout 60 "$src/tests/wine/wine-run.sh" "$build/wine" "$app/texlook.exe"; echo $? > "$work/rc") &
probe main 20 >/dev/null
probe command 4097  # "Импортировать DDS-файл(ы) в список..."
probe open "$(winpath "$work/Текстуры игры/фон 1.dds")" 20
probe key 36  # Home: the first row
check "preview: its size in the status bar" [ "$(probe status 20)" = "status: 16 x 16 x 24 BPP" ]
probe close
wait
check "closed with exit code 0" [ "$(cat "$work/rc")" = 0 ]
check "texlook.ini beside the program, the folder remembered" \
  grep -qF "Last path=$(winpath "$work/Текстуры игры" | iconv -t CP1251)" "$app/texlook.ini"
[ "$failures" = 0 ]
