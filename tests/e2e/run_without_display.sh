#!/bin/bash
# scripts/run.sh without a display says so in one line and fails at once, instead of
# waiting for ever behind a window nobody can see.
#   run_without_display.sh BUILD_DIR SOURCE_DIR
set -u
src=$(realpath "$2")
out=$(env -u DISPLAY -u WAYLAND_DISPLAY timeout 20 "$src/scripts/run.sh" 2>&1 </dev/null)
rc=$?
echo "$out (exit code $rc)"
[ "$rc" != 0 ] && [ "$rc" != 124 ] && [ "$(wc -l <<<"$out")" = 1 ] && grep -q "no display" <<<"$out"
