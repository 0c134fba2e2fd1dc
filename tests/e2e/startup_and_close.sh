#!/bin/bash
# texlook.exe as a process, looked at from outside: the missing converter, the maximised
# start from another current folder, and every way of closing, with "texlook.ini".
#   startup_and_close.sh BUILD_DIR SOURCE_DIR
set -u
build=$(realpath "$1"); src=$(realpath "$2")
run() { "$src/tests/wine/wine-run.sh" "$build/wine" "$@"; }
probe() { run "$build/tests/window_probe.exe" "$@" | tr -d '\r'; }
work=$(mktemp -d); trap 'rm -rf "$work"' EXIT
failures=0
check() { if "${@:2}"; then echo "ok: $1"; else echo "FAILED: $1"; failures=$((failures + 1)); fi; }  # NAME TEST...
cp1251() { printf '%s' "$1" | iconv -f UTF-8 -t CP1251; }  # the program's texts
# start NAME PROGRAMS...: the programs in folder NAME; texlook.exe started from another folder.
start() {
  dir="$work/$1"; shift; mkdir -p "$dir" "$work/elsewhere"; cp "$@" "$dir/"
  # Bounded: a program that does not end fails its case, named, instead of the whole script.
  (cd "$work/elsewhere" && timeout 60 "$src/tests/wine/wine-run.sh" "$build/wine" "$dir/texlook.exe"
   echo $? > "$dir/rc") &
}
exited0() { [ "$(cat "$dir/rc" 2>/dev/null)" = 0 ]; }
ini() { tr -d '\r' < "$dir/texlook.ini" 2>/dev/null; }

# 1. No converter: one message box titled "Texlook" and nothing else, exit code 0, no settings.
start bare "$build/texlook.exe"
out=$(probe boxes Texlook 3); wait
check "missing converter: one box, no main window, exit code 0, no texlook.ini" \
  eval '[ "$out" = "box: $(cp1251 "Не найден файл readdxt.exe")" ] && exited0 && [ ! -e "$dir/texlook.ini" ]'

# 2. Every way of closing writes the settings beside the program, exit code 0.
fresh=$'[Folders]\nOutput path=\nLast path='
for how in close altf4 exit; do
  start "$how" "$build/texlook.exe" "$build/readdxt.exe"
  check "$how: opens maximised" [ "$(probe main 20)" = "main: zoomed=1" ]
  probe "$how"; wait
  check "$how: exit code 0, settings written there, not in the current folder" \
    eval 'exited0 && [ "$(ini)" = "$fresh" ] && [ ! -e "$work/elsewhere/texlook.ini" ]'
done

# 3. A log-off or shut-down saves the folders too (adding the key missing), Cyrillic kept.
mkdir "$work/session" && printf '[Folders]\r\nOutput path=%s\r\n' "$(cp1251 'C:\Экспорт')" > "$work/session/texlook.ini"
start session "$build/texlook.exe" "$build/readdxt.exe"
probe main 20 >/dev/null; probe endsession; wait
saved="[Folders]"$'\n'"Output path=$(cp1251 'C:\Экспорт')"$'\n'"Last path="
check "end of session: exit code 0, folders saved" eval 'exited0 && [ "$(ini)" = "$saved" ]'

[ "$failures" = 0 ]
