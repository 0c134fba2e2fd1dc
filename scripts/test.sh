#!/bin/bash
# Installs what is missing, builds everything and runs every test: the native tests
# (sanitizers) and the Windows tests under Wine on a private Xvfb display.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
"$root/scripts/build.sh" all
status=0
ctest --test-dir "$root/build/native" --output-on-failure -j "$(nproc)" || status=1
ctest --test-dir "$root/build/win" --output-on-failure -j 2 || status=1
exit $status
