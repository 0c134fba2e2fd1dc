#!/bin/bash
# The built programs looked at without running them, so that it holds also for a build this
# machine cannot run: texlook.exe is a GUI program and readdxt.exe a console program of the
# build's kind (PE32 i386 or PE32+ x86-64), both import nothing but system DLLs (no
# libstdc++, libgcc, winpthread or zlib beside them), and both carry the version.
#   static_checks.sh BUILD_DIR SOURCE_DIR
set -u
build=$(realpath "$1"); src=$(realpath "$2")
system='^(kernel32|user32|gdi32|comctl32|comdlg32|shell32|ole32|oleaut32|advapi32|msvcrt|shlwapi|uxtheme)\.dll$'
if [ "$(cat "$build/wine-arch")" = win64 ]; then kind="PE32+ executable (%s) x86-64"; tools=x86_64-w64-mingw32
else kind="PE32 executable (%s) Intel 80386"; tools=i686-w64-mingw32; fi
version=$(sed -n 's/^project(Texlook VERSION \([0-9.]*\).*/\1/p' "$src/CMakeLists.txt")
failures=0
check() { if "${@:2}"; then echo "ok: $1"; else echo "FAILED: $1"; failures=$((failures + 1)); fi; }  # NAME TEST...
for exe in texlook readdxt; do
  file=$build/$exe.exe
  # shellcheck disable=SC2059
  want=$(printf "$kind" "$([ "$exe" = texlook ] && echo GUI || echo console)")
  check "$exe.exe is $want" eval 'file "$file" | grep -qF "$want"'
  while read -r dll; do
    check "$exe.exe imports $dll" grep -qiE "$system" <<<"$dll"
  done < <("$tools-objdump" -p "$file" | awk '/DLL Name:/ {print $3}')
  # The version block's strings are UTF-16: each key is followed by its value.
  strings=$(strings -el "$file" | tr -d '\r')
  for key in FileVersion ProductVersion; do
    check "$exe.exe: $key $version" eval '[ "$(grep -A1 -x "$key" <<<"$strings" | sed -n 2p)" = "$version" ]'
  done
done
[ "$failures" = 0 ]
