#!/usr/bin/env bash
# The black-box acceptance suite: the real xingsuo.exe under wine on a private Xvfb, driven from
# outside by xsdriver.exe and xdotool, with xstarget.exe recording the input a playback delivers.
#   acceptance/run.sh [windows-build-folder] [scenario-name-part...]
# The build folder defaults to $XS_WIN_BUILD, else build/win. Screenshots go to
# <build>/screenshots. Exit code 0 when every scenario passed.
set -uo pipefail

if [ $# -ge 1 ] && [ -d "$1" ]; then
  XS_WIN_BUILD="$(cd "$1" && pwd)"
  export XS_WIN_BUILD
  shift
fi
# shellcheck source=acceptance/lib.sh source-path=SCRIPTDIR/..
. "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

now() { date +%s.%N; }
seconds_since() { awk -v a="$1" -v b="$(now)" 'BEGIN { printf "%.1f", b - a }'; }
started=$(now)
ACC_RUN_DIR="$(mktemp -d /tmp/xs-acceptance.XXXXXX)"
export ACC_RUN_DIR XS_SHOTS
# The driver calls of run.sh itself (lib.sh's d) keep their errors here.
# shellcheck disable=SC2034
ACC_WORK="$ACC_RUN_DIR"
XVFB_PID=""
STORE_BACKUP=""

cleanup() {
  wineserver -k >/dev/null 2>&1 || true
  rm -f "$WINEPREFIX/.xs-server-display"
  if [ -n "$XVFB_PID" ]; then
    kill "$XVFB_PID" 2>/dev/null || true
    wait "$XVFB_PID" 2>/dev/null || true
  fi
  # Whatever the scenarios left, the store the developer had comes back.
  if [ -n "$STORE_BACKUP" ]; then
    mkdir -p "$(dirname "$STORE")"
    cp -p "$STORE_BACKUP" "$STORE"
  elif [ -n "${STORE_WAS_ABSENT:-}" ]; then
    store_reset
  fi
  [ -n "${ACC_KEEP:-}" ] || rm -rf "$ACC_RUN_DIR"
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

for tool in xdotool Xvfb xdpyinfo wine wineserver sqlite3 import timeout; do
  command -v "$tool" >/dev/null 2>&1 || { acc_say "missing tool: $tool (scripts/setup.sh installs it)"; echo "acceptance: 0 passed, 1 failed"; exit 1; }
done
for exe in "$XS_DRIVER" "$XS_TARGET" "$XS_EXE"; do
  [ -f "$exe" ] || { acc_say "missing $exe: build the Windows tree first"; echo "acceptance: 0 passed, 1 failed"; exit 1; }
done

# A display of our own, away from the range scripts/xvfb.sh uses.
for n in $(seq 150 250); do
  [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
  Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp -noreset </dev/null >"$ACC_RUN_DIR/xvfb.log" 2>&1 &
  XVFB_PID=$!
  for _ in $(seq 1 100); do
    xdpyinfo -display ":$n" >/dev/null 2>&1 && break
    kill -0 "$XVFB_PID" 2>/dev/null || break
    sleep 0.1
  done
  if xdpyinfo -display ":$n" >/dev/null 2>&1; then
    export DISPLAY=":$n"
    break
  fi
  kill "$XVFB_PID" 2>/dev/null || true
  XVFB_PID=""
done
[ -n "$XVFB_PID" ] || { acc_say "could not start Xvfb"; echo "acceptance: 0 passed, 1 failed"; exit 1; }

# The prefix: the project's (scripts/setup.sh), or a minimal one of our own when it is missing.
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  acc_say "no wine prefix at $WINEPREFIX: making a minimal one"
  mkdir -p "$WINEPREFIX"
  timeout 180 wineboot -i >"$ACC_RUN_DIR/wineboot.log" 2>&1
  timeout 60 wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
  timeout 60 wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
  timeout 60 wineserver -w
fi

# One persistent server on our display for the whole run: a program then starts in well under a
# second. A server left on another display would keep its desktop there.
wineserver -k >/dev/null 2>&1 || true
timeout 30 wineserver -w >/dev/null 2>&1 || true
wineserver -p </dev/null >/dev/null 2>&1
timeout 60 wine cmd.exe /c exit </dev/null >/dev/null 2>&1 || true
printf '%s\n' "$DISPLAY" >"$WINEPREFIX/.xs-server-display"
STORE="$(store_path)"
if [ -f "$STORE" ]; then
  STORE_BACKUP="$ACC_RUN_DIR/NBDA.rdb.backup"
  cp -p "$STORE" "$STORE_BACKUP"
else
  STORE_WAS_ABSENT=1
fi
acc_say "display $DISPLAY, prefix $WINEPREFIX, program $XS_EXE"

passed=0
failed=0
failed_names=()
for script in "$ACC_DIR"/scenarios/*.sh; do
  name="$(basename "$script" .sh)"
  if [ $# -gt 0 ]; then
    want=""
    for part in "$@"; do [[ "$name" == *"$part"* ]] && want=1; done
    [ -n "$want" ] || continue
  fi
  echo "== $name"
  t0=$(now)
  timeout -k 5 "${ACC_SCENARIO_LIMIT:-180}" bash "$script"
  rc=$?
  [ $rc -eq 124 ] && echo "    FAIL  the scenario ran out of time"
  if [ $rc -eq 0 ]; then
    passed=$((passed + 1))
    echo "   passed ($(seconds_since "$t0") s)"
  else
    failed=$((failed + 1))
    failed_names+=("$name")
    echo "   FAILED ($(seconds_since "$t0") s)"
  fi
  # Nothing of one scenario may outlive it: a leftover window would catch the next one's input.
  timeout 10 wine "$XS_DRIVER" windows 2>/dev/null | awk -F'\t' '$3 == 1 && $4 != "Shell_TrayWnd" {print $1}' |
    while read -r h; do timeout 5 wine "$XS_DRIVER" close "hwnd:$h" >/dev/null 2>&1; done
done

acc_say "$(seconds_since "$started") s in all; screenshots in $XS_SHOTS"
[ ${#failed_names[@]} -gt 0 ] && acc_say "failed: ${failed_names[*]}"
echo "acceptance: $passed passed, $failed failed"
[ "$failed" -eq 0 ] && [ "$passed" -gt 0 ]
