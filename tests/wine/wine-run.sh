#!/bin/bash
# Runs a Windows program under Wine with the build's own prefix and a private Xvfb display,
# so that tests never touch the user's display or Wine prefix.
#   wine-run.sh STATE_DIR program.exe [args...]   run a program
#   wine-run.sh STATE_DIR --start                 prepare prefix and display
#   wine-run.sh STATE_DIR --stop                  stop Wine and the display
set -u
state=$1; shift
mkdir -p "$state"
state=$(cd "$state" && pwd)

# The prefix is of the programs' kind: win32 or win64, as the build folder that holds the
# state says (its wine-arch file), else as WINEARCH says, else win32.
arch_of_state() {
  local dir=$state
  while [ "$dir" != / ]; do
    [ -f "$dir/wine-arch" ] && { cat "$dir/wine-arch"; return; }
    dir=$(dirname "$dir")
  done
  echo "${WINEARCH:-win32}"
}
. "$(dirname "${BASH_SOURCE[0]}")/wine-loader.sh"
use_wine "$(arch_of_state)"
wineserver() { if [ -n "${WINESERVER:-}" ]; then "$WINESERVER" "$@"; else command wineserver "$@"; fi; }
export WINEPREFIX="$state/prefix" WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export LANG=ru_RU.UTF-8 LC_ALL=ru_RU.UTF-8

display_alive() {
  [ -f "$state/xvfb.pid" ] && [ -f "$state/xvfb.display" ] && kill -0 "$(cat "$state/xvfb.pid")" 2>/dev/null
}

start_display() {
  display_alive && return 0
  local fifo="$state/xvfb.fifo" n
  rm -f "$fifo"; mkfifo "$fifo"
  # The display must not inherit the lock (fd 9), or it would hold it for good.
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$fifo" 9>&- >/dev/null 2>&1 &
  echo $! > "$state/xvfb.pid"
  read -r n < "$fifo"
  rm -f "$fifo"
  echo "$n" > "$state/xvfb.display"
}

prepare_prefix() {
  [ -f "$WINEPREFIX/.texlook-ready-2" ] && return 0
  # Nothing started here may inherit the lock (fd 9): a server it starts would hold it.
  "$wine" wineboot.exe -i 9>&- >/dev/null 2>&1
  # A crash must fail the test, not wait for someone to close a dialog.
  "$wine" reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f 9>&- >/dev/null 2>&1
  # A virtual desktop: Wine draws frames and maximises windows itself (Xvfb has no
  # window manager), and the screen is the same 1024 x 768 everywhere.
  "$wine" reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f 9>&- >/dev/null 2>&1
  "$wine" reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f 9>&- >/dev/null 2>&1
  wineserver -w 9>&-
  touch "$WINEPREFIX/.texlook-ready-2"
}

# Keep one server, its services and the desktop for the whole run, detached from the
# caller's output: started by the first test they would hold its output pipe open, and
# starting Wine anew for every test is slow.
# A program must be seen to run (its own exit code comes back), or the start fails
# loudly with what Wine said, after one more try on a new server.
start_wine() {
  [ -f "$state/wine.started" ] && wineserver -k0 2>/dev/null && return 0
  local try out rc
  for try in 1 2; do
    wineserver -p 9>&- </dev/null >/dev/null 2>&1
    "$wine" explorer.exe /desktop=Default,1024x768 9>&- </dev/null >/dev/null 2>&1 &
    # Into a file, not a pipe: a server that the program starts would hold a pipe open.
    # Bounded: a client that lost its server (seen as "wine client error") can hang.
    timeout 60 "$wine" cmd.exe /c exit 7 9>&- </dev/null >"$state/start.log" 2>&1; rc=$?
    if [ "$rc" = 7 ]; then touch "$state/wine.started"; return 0; fi
    echo "Wine ($wine, $WINEARCH) could not run a program in $WINEPREFIX (try $try, exit $rc):" >&2
    cat "$state/start.log" >&2
    wineserver -k 9>&- >/dev/null 2>&1; wineserver -w 9>&-
  done
  return 1
}

(
  flock 9
  case "${1:-}" in
    --stop) ;;
    *) start_display; export DISPLAY=":$(cat "$state/xvfb.display")"; prepare_prefix
       start_wine ;;
  esac
) 9>"$state/lock" || exit 1

case "${1:-}" in
  --start) exit 0 ;;
  --stop)
    # Waited for: a start right after must not meet a server still going down.
    wineserver -k >/dev/null 2>&1; timeout 30 "${WINESERVER:-wineserver}" -w >/dev/null 2>&1
    rm -f "$state/wine.started"
    if display_alive; then kill "$(cat "$state/xvfb.pid")"; fi
    rm -f "$state/xvfb.pid" "$state/xvfb.display"
    exit 0 ;;
esac
export DISPLAY=":$(cat "$state/xvfb.display")"
exec "$wine" "$@"
