#!/usr/bin/env bash
# Builds xingsuo.exe and starts it under wine. With a DISPLAY it opens there and this command ends
# when the program closes; without one it runs on a private Xvfb, and after a few seconds a
# screenshot of the screen is kept in build/screenshots/main-window.png and the program is closed.
#   XS_RUN_SECONDS   seconds to wait before the screenshot (default 6)
set -euo pipefail
exec </dev/null
. "$(dirname "${BASH_SOURCE[0]}")/env.sh"
. "$(dirname "${BASH_SOURCE[0]}")/xvfb.sh"

XS_TARGETS=xingsuo bash "$XS_ROOT/scripts/build.sh" win
[ -f "$XS_EXE" ] || xs_die "the build made no $XS_EXE"
# Started in its own folder, as a double click would.
cd "$(dirname "$XS_EXE")"

if [ -n "${DISPLAY:-}" ]; then
  xs_log "starting $XS_EXE on $DISPLAY"
  xs_wineserver_up
  exec wine "$XS_EXE"
fi

xs_xvfb_start || exit 1
xs_wineserver_up
mkdir -p "$XS_SCREENSHOT_DIR"
shot="$XS_SCREENSHOT_DIR/main-window.png"
log="$XS_BUILD_DIR/run.log"
xs_log "no DISPLAY: running $XS_EXE on a private Xvfb ($DISPLAY)"
wine "$XS_EXE" >"$log" 2>&1 &
program=$!
sleep "${XS_RUN_SECONDS:-6}"
if ! kill -0 "$program" 2>/dev/null; then
  wait "$program" && rc=0 || rc=$?
  xs_die "xingsuo.exe ended after less than ${XS_RUN_SECONDS:-6} s (exit code $rc); see $log"
fi
import -window root "$shot"
xs_log "screenshot of the running program: $shot"
# The cleanup on exit ends the program (wineserver -k) and stops Xvfb.
