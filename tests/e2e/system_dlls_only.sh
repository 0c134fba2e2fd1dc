#!/bin/bash
# texlook.exe is a 32-bit GUI program and readdxt.exe a 32-bit console program, and both
# import nothing but system DLLs (no libstdc++, libgcc or winpthread beside them).
#   system_dlls_only.sh BUILD_DIR SOURCE_DIR
set -u
build=$(realpath "$1")
system='^(kernel32|user32|gdi32|comctl32|comdlg32|shell32|ole32|oleaut32|advapi32|msvcrt|shlwapi|uxtheme)\.dll$'
failures=0
for exe in texlook readdxt; do
  kind=$([ "$exe" = texlook ] && echo GUI || echo console)
  if file "$build/$exe.exe" | grep -q "PE32 executable ($kind) Intel 80386"; then
    echo "ok: $exe.exe is PE32 $kind"
  else
    echo "FAILED: $exe.exe: $(file "$build/$exe.exe")"; failures=$((failures + 1))
  fi
  while read -r dll; do
    if grep -qiE "$system" <<<"$dll"; then echo "ok: $exe.exe imports $dll"
    else echo "FAILED: $exe.exe imports $dll"; failures=$((failures + 1)); fi
  done < <(i686-w64-mingw32-objdump -p "$build/$exe.exe" | awk '/DLL Name:/ {print $3}')
done
[ "$failures" = 0 ]
