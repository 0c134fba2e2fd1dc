#!/bin/bash
# Which Windows builds this machine can run under Wine, told in one place for setup, build,
# test and run. Some kernels run no 32-bit programs (32-bit emulation switched off); there
# the 32-bit Wine fails with "Exec format error" and only the 64-bit build can run.
# Sourced; sets:
#   host_runs_32  1 when a 32-bit Linux program runs here, else 0 (found by trying one)
#   win_archs     the Windows builds whose programs run here: "32 64" or "64"
#   run_arch      the build that scripts/run.sh starts: 32 where it runs, else 64
#   arch_note     one line saying which builds run and why
#   run_note      one line saying which program scripts/run.sh starts and why
# TEXLOOK_WIN_ARCH=32 or 64 chooses one build instead, on any machine.

host_probe_32() {
  # The smallest 32-bit x86 Linux program: exit(42). 42, not 0, so that nothing but
  # the program itself can answer for it.
  local probe
  probe=$(mktemp "${TMPDIR:-/tmp}/texlook-probe32.XXXXXX") || return 1
  printf '\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00\x01\x00\x00\x00'`
        `'\x54\x80\x04\x08\x34\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x34\x00\x20\x00\x01\x00'`
        `'\x00\x00\x00\x00\x00\x00\x01\x00\x00\x00\x00\x00\x00\x00\x00\x80\x04\x08\x00\x80\x04\x08'`
        `'\x60\x00\x00\x00\x60\x00\x00\x00\x05\x00\x00\x00\x00\x10\x00\x00'`
        `'\xb8\x01\x00\x00\x00\xbb\x2a\x00\x00\x00\xcd\x80' > "$probe"
  chmod +x "$probe"
  "$probe" 2>/dev/null
  local rc=$?
  rm -f "$probe"
  [ "$rc" = 42 ]
}

if host_probe_32; then host_runs_32=1; else host_runs_32=0; fi
case "${TEXLOOK_WIN_ARCH:-}" in
  32|64)
    win_archs=$TEXLOOK_WIN_ARCH; run_arch=$TEXLOOK_WIN_ARCH
    arch_note="Windows builds to run: ${TEXLOOK_WIN_ARCH}-bit only (TEXLOOK_WIN_ARCH=$TEXLOOK_WIN_ARCH)"
    run_note="Starting the ${TEXLOOK_WIN_ARCH}-bit Texlook (TEXLOOK_WIN_ARCH=$TEXLOOK_WIN_ARCH)" ;;
  "")
    if [ "$host_runs_32" = 1 ]; then
      win_archs="32 64"; run_arch=32
      arch_note="Windows builds to run: 32-bit and 64-bit (this machine runs 32-bit programs)"
      run_note="Starting the 32-bit Texlook, the release (this machine runs 32-bit programs)"
    else
      win_archs=64; run_arch=64
      arch_note="Windows builds to run: 64-bit only; the 32-bit programs are built but cannot run here (this kernel runs no 32-bit programs)"
      run_note="Starting the 64-bit Texlook: this kernel runs no 32-bit programs, so the 32-bit release cannot run here"
    fi ;;
  *) echo "TEXLOOK_WIN_ARCH must be 32 or 64, not '$TEXLOOK_WIN_ARCH'" >&2; exit 2 ;;
esac
# Build folders: build/win holds the 32-bit programs, build/win64 the 64-bit ones.
win_suffix() { if [ "$1" = 64 ]; then echo 64; fi; }
win_build_dir() { echo "win$(win_suffix "$1")"; }
