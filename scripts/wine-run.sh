#!/usr/bin/env bash
# Runs a Windows program in the project's wine prefix and returns its exit code. CMake uses this as
# the emulator of the Windows build, so ctest runs the Windows tests through it.
#   scripts/wine-run.sh program.exe [arguments...]
set -euo pipefail
. "$(dirname "${BASH_SOURCE[0]}")/env.sh"

[ $# -ge 1 ] || xs_die "usage: wine-run.sh program.exe [arguments...]"
[ -n "${DISPLAY:-}" ] ||
  xs_die "DISPLAY is not set: run under an X display (scripts/test.sh starts a private Xvfb)"
xs_wineserver_up
# wine hands back the program's own exit code (modulo 256); a crash ends with a non-zero one.
exec wine "$@"
