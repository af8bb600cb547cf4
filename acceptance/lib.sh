# shellcheck shell=bash
# Helpers of the acceptance scenarios: the program, the driver and the target under wine on the
# suite's own X display, the store file, and the checks. Sourced by run.sh and by every scenario;
# run.sh sets up the display and the wine server and exports what a scenario needs.

ACC_DIR="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
XS_ROOT="${XS_ROOT:-$(cd "$ACC_DIR/.." && pwd)}"
XS_WIN_BUILD="${XS_WIN_BUILD:-$XS_ROOT/build/win}"
XS_BIN="$XS_WIN_BUILD/platform/win32"
XS_EXE="$XS_BIN/xingsuo.exe"
XS_DRIVER="$XS_BIN/xsdriver.exe"
XS_TARGET="$XS_BIN/xstarget.exe"
XS_SHOTS="${XS_SHOTS:-${XS_SCREENSHOT_DIR:-$XS_WIN_BUILD/screenshots}}"
# ACC_WINEPREFIX picks another prefix (a development run beside the project's own).
export WINEPREFIX="${ACC_WINEPREFIX:-${WINEPREFIX:-$XS_ROOT/build/wineprefix}}"
export WINEARCH=win64 LANG=C.UTF-8 LC_ALL=C.UTF-8 WINEDEBUG=-all
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
export XS_ROOT XS_WIN_BUILD

acc_say() { printf '[acceptance] %s\n' "$*" >&2; }

# ---- ids of platform/win32/Layout.h ---------------------------------------------------------
# Read from the header at run time, so a renamed or added id costs a scenario, not the build.
declare -gA ID=()
acc_load_ids() {
  local name value
  while IFS='=' read -r name value; do
    [ -n "$name" ] && ID[$name]=$value
  done < <(awk '
    /enum [A-Za-z0-9_]+ *: *int *\{/ { inside = 1; n = -1; sub(/.*\{/, "") }
    inside {
      line = $0; sub(/\/\/.*/, "", line)
      done = (line ~ /\}/); sub(/\}.*/, "", line)
      k = split(line, parts, ",")
      for (i = 1; i <= k; i++) {
        t = parts[i]; gsub(/[ \t\r]/, "", t)
        if (t == "") continue
        if (t ~ /=/) { split(t, kv, "="); name = kv[1]; n = kv[2] + 0 } else { name = t; n = n + 1 }
        print name "=" n
      }
      if (done) inside = 0
    }' "$XS_ROOT/platform/win32/Layout.h")
}
acc_load_ids

# Selectors of our windows: the driver finds a window by child controls it must have.
# shellcheck disable=SC2034  # used by the scenarios
MAIN="ids:${ID[kStart]:-0},${ID[kList]:-0}"
# shellcheck disable=SC2034
MOUSE="ids:${ID[kMouseType]:-0},${ID[kMouseAdd]:-0}"
# shellcheck disable=SC2034
KEYS="ids:${ID[kKey1]:-0},${ID[kKeyAdd]:-0}"
# shellcheck disable=SC2034
DELAY="ids:${ID[kDelayValue]:-0},${ID[kDelayAdd]:-0}"
# shellcheck disable=SC2034
readonly TITLE_IDLE="星梭2.5.2"
# shellcheck disable=SC2034
readonly TITLE_RUNNING="星梭2.5.2【正在运行....】"

# ---- driver --------------------------------------------------------------------------------
# d <command> [args]: one driver call, never longer than 30 s.
d() { timeout -k 2 30 wine "$XS_DRIVER" "$@" 2>>"$ACC_WORK/driver.err"; }
# dc <command> <window> <control-name> [args]: a driver call on a control named as in Layout.h.
dc() {
  local cmd=$1 win=$2 name=$3
  shift 3
  [ -n "${ID[$name]:-}" ] || { acc_say "no id $name in Layout.h"; return 1; }
  d "$cmd" "$win" "${ID[$name]}" "$@"
}

# Chooses a combo box entry as the user would (the selection, then CBN_SELCHANGE); a failure is a
# failed check, so a later check does not have to guess why the entry was not taken.
pick() {  # <window> <control-name> <index>
  dc select "$1" "$2" "$3" >/dev/null || fail "entry $3 of $2 is chosen"
}

# Opens the mouse editor from the main window and adds a move to (x, y) as row n of the list;
# the editor stays open for the rows that follow.
add_move_row() {  # <x> <y> <n>
  dc click "$MAIN" kAddMouse
  d wait-window "$MOUSE" 5000 >/dev/null || fail "the mouse editor opens"
  pick "$MOUSE" kMouseType 1
  dc set-text "$MOUSE" kMouseX "$1"
  dc set-text "$MOUSE" kMouseY "$2"
  dc click "$MOUSE" kMouseAdd
  dc wait-rows "$MAIN" kList "$3" 3000 >/dev/null
}

# A real click through X at a screen point: "x y" as one argument or two.
xclick() {  # xclick <x> <y> [button] [repeat]
  # No --sync: it waits for a motion event, which never comes when the pointer is there already.
  timeout 10 xdotool mousemove "$1" "$2" sleep 0.05 click --repeat "${4:-1}" --delay 60 "${3:-1}"
}
# A real click on the middle of a control.
xclick_control() {  # <window> <control-name> [button]
  local p
  p="$(dc ctl-centre "$1" "$2")" || return 1
  # shellcheck disable=SC2086
  xclick $p "${3:-1}"
}
# Gives the X focus to a wine window, as a user's click on it would.
xfocus() {  # <window>
  local x i l t
  x="$(d xid "$1")" || return 1
  for i in 1 2 3; do
    timeout 10 xdotool windowfocus "$x"
    d wait-foreground "$1" 1500 && return 0
    # A click on the window's caption activates it when the X focus alone did not.
    read -r l t _ <<<"$(d rect "$1")"
    [ "$i" -lt 3 ] && xclick $((l + 60)) $((t + 8))
  done
  return 1
}
xkey() { timeout 10 xdotool key --delay 40 "$@"; }

# Switches the main window's tab control with a real click on the page's tab (WM_NOTIFY does not
# cross processes, so a message from the driver would not do).
select_page() {  # <index>
  local p i
  p="$(dc tab-centre "$MAIN" kTab "$1")" || return 1
  for i in 1 2 3; do
    # shellcheck disable=SC2086
    xclick $p
    [ "$(dc tab-current "$MAIN" kTab)" = "$1" ] && { sleep 0.2; return 0; }
    sleep 0.3
  done
  return 1
}

# ---- the program ---------------------------------------------------------------------------
XS_RUNS=0
XS_RC_FILE=""
XS_PID_FILE=""
# Starts xingsuo.exe and returns at once; its exit code lands in $XS_RC_FILE.
xs_launch() {
  XS_RUNS=$((XS_RUNS + 1))
  XS_RC_FILE="$ACC_WORK/xingsuo.$XS_RUNS.rc"
  XS_PID_FILE="$ACC_WORK/xingsuo.$XS_RUNS.pid"
  rm -f "$XS_RC_FILE"
  (
    timeout -k 2 "${XS_RUN_LIMIT:-150}" wine "$XS_EXE" </dev/null >>"$ACC_WORK/xingsuo.out" 2>&1 &
    echo $! >"$XS_PID_FILE"
    wait $!
    echo $? >"$XS_RC_FILE"
  ) &
}
# Starts xingsuo.exe; returns when the main window shows.
xs_start() {
  xs_launch
  d wait-window "$MAIN" 15000 >/dev/null
}
# Waits for the program to end; prints its exit code. Fails after <seconds> (default 10).
xs_wait_exit() {
  local i limit=$((${1:-10} * 10))
  for ((i = 0; i < limit; i++)); do
    if [ -s "$XS_RC_FILE" ]; then
      cat "$XS_RC_FILE"
      return 0
    fi
    sleep 0.1
  done
  return 1
}
# Ends the program the way a user would (its close box: WM_CLOSE), then by force if need be.
xs_stop() {
  [ -n "$XS_RC_FILE" ] && [ ! -s "$XS_RC_FILE" ] || return 0
  d msgbox-ok 0 >/dev/null 2>&1 || true
  d close "$MAIN" >/dev/null 2>&1 || true
  xs_wait_exit 8 >/dev/null || xs_kill
}
xs_kill() {
  local pid
  pid="$(cat "$XS_PID_FILE" 2>/dev/null)" || return 0
  kill "$pid" 2>/dev/null || true
  xs_wait_exit 5 >/dev/null || kill -9 "$pid" 2>/dev/null || true
}
xs_log() { d text "$MAIN" "${ID[kStatusLog]}" | tr -d '\r'; }
xs_rows() { dc list-rows "$MAIN" kList; }
xs_title() { d title "$MAIN"; }

# ---- the target ----------------------------------------------------------------------------
TARGET_RECORD=""
TARGET_PID_FILE=""
# Starts xstarget.exe (or a copy of it named by TARGET_EXE) at a given place; its record goes to
# $TARGET_RECORD.
target_start() {  # [left top width height]
  TARGET_RECORD="$ACC_WORK/target.$RANDOM.rec"
  TARGET_PID_FILE="$TARGET_RECORD.pid"
  local winpath="Z:${TARGET_RECORD//\//\\}"
  (
    # shellcheck disable=SC2068
    timeout -k 2 "${XS_RUN_LIMIT:-150}" wine "${TARGET_EXE:-$XS_TARGET}" "$winpath" ${@:-300 200 400 300} \
      </dev/null >/dev/null 2>&1 &
    echo $! >"$TARGET_PID_FILE"
    wait $!
  ) &
  d wait-window target 15000 >/dev/null
}
target_stop() {
  [ -n "$TARGET_PID_FILE" ] || return 0
  d close target >/dev/null 2>&1 || true
  d wait-gone target 3000 >/dev/null 2>&1 || kill "$(cat "$TARGET_PID_FILE" 2>/dev/null)" 2>/dev/null || true
  TARGET_PID_FILE=""
}
# The recorded lines without the time stamp, mouse moves left out.
target_events() { grep -v 'WM_MOUSEMOVE\|ready\|FOCUS' "$TARGET_RECORD" 2>/dev/null | cut -d' ' -f2-; }

# ---- the store file ------------------------------------------------------------------------
store_path() {
  local user="${USER:-$(id -un)}" dir
  if [ ! -d "$WINEPREFIX/drive_c/users/$user" ]; then
    # wine names the profile after the account; take the one that is not Public.
    for dir in "$WINEPREFIX"/drive_c/users/*/; do
      dir="$(basename "$dir")"
      [ "$dir" != Public ] && [ "$dir" != '*' ] && { user=$dir; break; }
    done
  fi
  printf '%s\n' "$WINEPREFIX/drive_c/users/$user/AppData/Local/xingsuo/NBDA.rdb"
}
STORE="$(store_path)"
store_reset() { rm -f "$STORE" "$STORE-journal" "$STORE-wal" "$STORE-shm"; }
sql() { timeout 10 sqlite3 -readonly -batch -separator '|' "$STORE" "$1"; }

# ---- screenshots ---------------------------------------------------------------------------
shot() {  # <name> <window>: the window's rectangle of the screen, as a PNG
  local r l t rr b
  mkdir -p "$XS_SHOTS"
  r="$(d rect "$2")" || return 0
  read -r l t rr b <<<"$r"
  timeout 20 import -display "$DISPLAY" -window root -crop "$((rr - l))x$((b - t))+$l+$t" +repage \
    "$XS_SHOTS/$1.png" 2>/dev/null || true
}

# ---- checks --------------------------------------------------------------------------------
ACC_CHECKS=0
ACC_FAILED=0
pass() { ACC_CHECKS=$((ACC_CHECKS + 1)); printf '    ok    %s\n' "$1"; }
fail() {
  ACC_CHECKS=$((ACC_CHECKS + 1))
  ACC_FAILED=$((ACC_FAILED + 1))
  printf '    FAIL  %s\n' "$1"
  [ -n "${2:-}" ] && printf '%s\n' "$2" | sed 's/^/            /'
  return 0
}
check() {  # <what> <command...>: passes when the command succeeds
  local what=$1
  shift
  if "$@" >/dev/null 2>&1; then pass "$what"; else fail "$what"; fi
}
check_eq() {  # <what> <expected> <actual>
  if [ "$2" = "$3" ]; then pass "$1"; else fail "$1" "expected: $(printf '%q' "$2")"$'\n'"actual:   $(printf '%q' "$3")"; fi
}
check_has() {  # <what> <haystack> <needle>
  if [[ "$2" == *"$3"* ]]; then pass "$1"; else fail "$1" "missing: $3"$'\n'"in: $2"; fi
}
check_lacks() {  # <what> <haystack> <needle>
  if [[ "$2" != *"$3"* ]]; then pass "$1"; else fail "$1" "unexpected: $3"$'\n'"in: $2"; fi
}
# Message box: expect one with this text (and this icon, when given), close it with OK.
check_msgbox() {  # <what> <text> [icon|none]
  local out icon text
  if ! out="$(d msgbox-read 5000)"; then
    fail "$1: a message box shows" "no message box within 5 s"
    return 0
  fi
  icon="${out%%$'\n'*}"
  text="${out#*$'\n'}"
  check_eq "$1: message box text" "$2" "$text"
  [ -n "${3:-}" ] && check_eq "$1: message box icon" "$3" "$icon"
  d msgbox-ok 3000 >/dev/null || fail "$1: message box closes with OK"
}
# Message box with an error icon and any text: a refusal; the text is returned in MSGBOX_TEXT.
MSGBOX_TEXT=""
check_refused() {  # <what>
  local out icon
  MSGBOX_TEXT=""
  if ! out="$(d msgbox-read 4000)"; then
    fail "$1: refused with a message box" "no message box within 4 s"
    return 0
  fi
  icon="${out%%$'\n'*}"
  MSGBOX_TEXT="${out#*$'\n'}"
  if [ "$icon" = icon ] && [ -n "$MSGBOX_TEXT" ]; then
    pass "$1: refused with a message box ($MSGBOX_TEXT)"
  else
    fail "$1: refused with an error message box" "icon: $icon, text: $MSGBOX_TEXT"
  fi
  d msgbox-ok 3000 >/dev/null || fail "$1: message box closes with OK"
}
# No message box within a short while.
check_no_msgbox() {  # <what> [ms]
  if d wait-window msgbox "${2:-800}" >/dev/null 2>&1; then
    fail "$1" "message box: $(d msgbox-text 0)"
    d msgbox-ok 2000 >/dev/null || true
  else
    pass "$1"
  fi
}

# Every scenario ends here: the program and the target are closed, the verdict is the exit code.
acc_cleanup() {
  target_stop >/dev/null 2>&1 || true
  xs_stop >/dev/null 2>&1 || true
}
acc_finish() {
  acc_cleanup
  printf '    %d checks, %d failed\n' "$ACC_CHECKS" "$ACC_FAILED"
  [ "$ACC_FAILED" -eq 0 ]
}
# Scenario preamble: a work folder of its own and a clean-up on any way out.
acc_scenario() {
  ACC_WORK="${ACC_RUN_DIR:-$(mktemp -d)}/$1"
  mkdir -p "$ACC_WORK"
  trap acc_cleanup EXIT
}
