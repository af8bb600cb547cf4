# shellcheck shell=bash
# Sourced by every script here (and by hand: `. scripts/env.sh`): folders of the build and the wine
# prefix of our own, never the user's ~/.wine.

XS_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
XS_BUILD_DIR="${XS_BUILD_DIR:-$XS_ROOT/build}"
case "$XS_BUILD_DIR" in /*) ;; *) XS_BUILD_DIR="$PWD/$XS_BUILD_DIR" ;; esac
export XS_ROOT XS_BUILD_DIR
export XS_HOST_BUILD="$XS_BUILD_DIR/host"
export XS_WIN_BUILD="$XS_BUILD_DIR/win"
export XS_ASAN_BUILD="$XS_BUILD_DIR/asan"
export XS_SQLITE_DIR="$XS_BUILD_DIR/_deps/sqlite3"
export XS_SCREENSHOT_DIR="$XS_BUILD_DIR/screenshots"
export XS_EXE="$XS_WIN_BUILD/platform/win32/xingsuo.exe"

export WINEPREFIX="$XS_BUILD_DIR/wineprefix"
export WINEARCH=win64
# No zh_CN locale is generated here; under an unknown locale wine decodes non-ASCII arguments wrongly.
export LANG=C.UTF-8
export LC_ALL=C.UTF-8
export WINEDEBUG="${WINEDEBUG:--all}"
# No Mono or Gecko here: without this wine offers to download them and waits for an answer.
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"

xs_log() { printf '[xingsuo] %s\n' "$*" >&2; }
xs_die() { printf '[xingsuo] error: %s\n' "$*" >&2; exit 1; }

# Makes sure a wineserver for our prefix runs on the current DISPLAY and stays between programs
# (start-up then costs ~0.6 s instead of ~2 s). The first server and the system processes it brings
# (services, explorer) are started with /dev/null as their output: started from a test they would
# otherwise hold ctest's output pipe open for as long as the server lives.
xs_wineserver_up() {
  [ -n "${DISPLAY:-}" ] || xs_die "DISPLAY is not set: wine needs an X display (scripts/xvfb.sh starts one)"
  [ -f "$WINEPREFIX/.xs-prefix-ready" ] || xs_die "no wine prefix at $WINEPREFIX: run scripts/setup.sh first"
  (
    # One start at a time when ctest runs programs in parallel.
    exec 9>"$WINEPREFIX/.xs-server-lock"
    flock 9
    local mark="$WINEPREFIX/.xs-server-display"
    if [ "$(cat "$mark" 2>/dev/null)" != "$DISPLAY" ]; then
      # A server left from another display keeps its desktop window there: start afresh.
      wineserver -k >/dev/null 2>&1 9>&- || true
      wineserver -w >/dev/null 2>&1 9>&- || true
    fi
    # Exit code 0: a new server (2: one is running already). The lock's descriptor stays here:
    # a server that inherited it would hold the lock for its whole life.
    if wineserver -p </dev/null >/dev/null 2>&1 9>&-; then
      # Brings up the system processes with quiet output before any caller's program runs.
      wine cmd.exe /c exit </dev/null >/dev/null 2>&1 9>&- || true
    fi
    printf '%s\n' "$DISPLAY" >"$mark"
  )
}
