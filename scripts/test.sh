#!/bin/bash
# Installs what is missing, builds everything and runs every test: the native tests
# (sanitizers), then for each Windows build that this machine can run the Windows tests
# under Wine on a private Xvfb display, and for a build it cannot run (32-bit, where the
# kernel runs no 32-bit programs) the checks that need no running program.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/scripts/host.sh"
echo "$arch_note"
"$root/scripts/setup.sh"
"$root/scripts/build.sh" all
status=0
ctest --test-dir "$root/build/native" --output-on-failure -j "$(nproc)" || status=1
for bits in 32 64; do
  dir=$root/build/$(win_build_dir $bits)
  if [[ " $win_archs " == *" $bits "* ]]; then
    echo "== ${bits}-bit Windows build: every test, under Wine"
    start=$(date +%s)
    ctest --test-dir "$dir" --output-on-failure -j 2 || status=1
    echo "== Wine part of the ${bits}-bit build: $(($(date +%s) - start)) s"
  else
    # Not through ctest: listing the Windows tests would run them under Wine.
    if [ -n "${TEXLOOK_WIN_ARCH:-}" ]; then why="TEXLOOK_WIN_ARCH=$TEXLOOK_WIN_ARCH"; else why="it cannot run here"; fi
    echo "== ${bits}-bit Windows build: static checks only ($why)"
    "$root/tests/e2e/static_checks.sh" "$dir" "$root" || status=1
  fi
done
exit $status
