# shellcheck shell=bash
# Sourced: a private X server for headless runs.
#   . scripts/xvfb.sh; xs_xvfb_start     # exports DISPLAY, stops Xvfb and our wineserver on exit
[ -n "${XS_ROOT:-}" ] || . "$(dirname "${BASH_SOURCE[0]}")/env.sh"

XS_XVFB_PID=""

# Starts Xvfb on the first free display from :93 on and waits until it answers; returns non-zero
# when none would start.
xs_xvfb_start() {
  command -v Xvfb >/dev/null 2>&1 || { xs_log "Xvfb is missing: run scripts/setup.sh"; return 1; }
  local n log="$XS_BUILD_DIR/xvfb.log"
  mkdir -p "$XS_BUILD_DIR"
  for n in $(seq 93 199); do
    [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp -noreset </dev/null >"$log" 2>&1 &
    XS_XVFB_PID=$!
    for _ in $(seq 1 100); do
      if xdpyinfo -display ":$n" >/dev/null 2>&1; then
        export DISPLAY=":$n"
        trap xs_xvfb_cleanup EXIT
        trap 'exit 130' INT
        trap 'exit 143' TERM
        xs_log "Xvfb on $DISPLAY (pid $XS_XVFB_PID)"
        return 0
      fi
      kill -0 "$XS_XVFB_PID" 2>/dev/null || break  # lost the race for this display: next one
      sleep 0.1
    done
    kill "$XS_XVFB_PID" 2>/dev/null || true
    wait "$XS_XVFB_PID" 2>/dev/null || true
    XS_XVFB_PID=""
  done
  xs_log "could not start Xvfb (see $log)"
  return 1
}

# Ends every wine program of our prefix, then the X server they drew on.
xs_xvfb_cleanup() {
  local rc=$?
  if [ -d "$WINEPREFIX" ]; then
    wineserver -k >/dev/null 2>&1 || true
    rm -f "$WINEPREFIX/.xs-server-display"
  fi
  if [ -n "$XS_XVFB_PID" ]; then
    kill "$XS_XVFB_PID" 2>/dev/null || true
    wait "$XS_XVFB_PID" 2>/dev/null || true
    XS_XVFB_PID=""
  fi
  return $rc
}
