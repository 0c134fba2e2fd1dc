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
check() {  # check NAME CONDITION...
  local name=$1; shift
  if "$@"; then echo "ok: $name"; else echo "FAILED: $name"; failures=$((failures + 1)); fi
}
# The program's texts are Windows-1251 bytes.
cp1251() { printf '%s' "$1" | iconv -f UTF-8 -t CP1251; }

# 1. No converter: one message box titled "Texlook", exit code 0, no window, no settings.
mkdir -p "$work/bare" "$work/elsewhere"
cp "$build/texlook.exe" "$work/bare/"
(cd "$work/elsewhere" && run "$work/bare/texlook.exe"; echo $? > "$work/bare.rc") &
out=$(probe boxes Texlook 3)
wait
check "missing converter: one box" [ "$(grep -c '^box:' <<<"$out")" = 1 ]
check "missing converter: its text" grep -qF "box: $(cp1251 'Не найден файл readdxt.exe')" <<<"$out"
check "missing converter: no main window" bash -c "! grep -q 'main window visible' <<<\"\$0\"" "$out"
check "missing converter: exit code 0" [ "$(cat "$work/bare.rc")" = 0 ]
check "missing converter: no texlook.ini" [ ! -e "$work/bare/texlook.ini" ]

# 2. Every way of closing writes the settings beside the program, once, exit code 0.
for how in close altf4 exit; do
  dir="$work/$how"; mkdir -p "$dir"
  cp "$build/texlook.exe" "$build/readdxt.exe" "$dir/"
  (cd "$work/elsewhere" && run "$dir/texlook.exe"; echo $? > "$dir/rc") &
  state=$(probe main 20)
  check "$how: opens maximised" [ "$state" = "main: zoomed=1" ]
  probe "$how"
  wait
  check "$how: exit code 0" [ "$(cat "$dir/rc" 2>/dev/null)" = 0 ]
  ini=$(tr -d '\r' < "$dir/texlook.ini" 2>/dev/null)
  check "$how: settings written" [ "$ini" = $'[Folders]\nOutput path=\nLast path=' ]
  check "$how: nothing in the current folder" [ ! -e "$work/elsewhere/texlook.ini" ]
done

# 3. A log-off or shut-down saves the folders too (the key missing before is added).
dir="$work/session"; mkdir -p "$dir"
cp "$build/texlook.exe" "$build/readdxt.exe" "$dir/"
printf '[Folders]\r\nOutput path=%s\r\n' "$(cp1251 'C:\Экспорт')" > "$dir/texlook.ini"
(cd "$work/elsewhere" && run "$dir/texlook.exe"; echo $? > "$dir/rc") &
probe main 20 >/dev/null
probe endsession
wait
check "end of session: exit code 0" [ "$(cat "$dir/rc" 2>/dev/null)" = 0 ]
check "end of session: folders saved" grep -q "^Last path=" "$dir/texlook.ini"
check "end of session: Cyrillic kept byte for byte" grep -qF "Output path=$(cp1251 'C:\Экспорт')" "$dir/texlook.ini"

[ "$failures" = 0 ]
