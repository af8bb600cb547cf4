#!/usr/bin/env bash
# Decided change: "取消/F4" ends a counted ("自定义") run too, at once, and releases a mouse button
# the run holds down. A macro presses the left button on the target, waits 3 s, releases it and
# types B; the stop button in the middle of the wait must release the button, and no B and no
# further pass may follow. Started and stopped with the buttons instead of the hot keys.
# shellcheck source=acceptance/lib.sh source-path=SCRIPTDIR/../..
. "$(dirname "${BASH_SOURCE[0]}")/../lib.sh"
acc_scenario 08_stop_counted_run

readonly PX=280 PY=170
store_reset
target_start 100 60 400 200
xs_start || fail "the main window shows"

# move, left 按下, delay 3000, left 放开, key B
add_move_row "$PX" "$PY" 1
pick "$MOUSE" kMouseButton 0
pick "$MOUSE" kMouseAction 2
dc click "$MOUSE" kMouseAdd
dc wait-rows "$MAIN" kList 2 3000 >/dev/null
dc click "$MAIN" kAddDelay
d wait-window "$DELAY" 5000 >/dev/null || fail "the delay editor opens"
dc set-text "$DELAY" kDelayValue 3000
dc click "$DELAY" kDelayAdd
dc wait-rows "$MAIN" kList 3 3000 >/dev/null
d close "$DELAY"
pick "$MOUSE" kMouseAction 3
dc click "$MOUSE" kMouseAdd
dc wait-rows "$MAIN" kList 4 3000 >/dev/null
d close "$MOUSE"
dc click "$MAIN" kAddKeys
d wait-window "$KEYS" 5000 >/dev/null || fail "the key editor opens"
dc set-text "$KEYS" kKey1 66
dc click "$KEYS" kKeyAdd
dc wait-rows "$MAIN" kList 5 3000 >/dev/null
d close "$KEYS"
check_eq "the macro" $'鼠标移动\t0\t0\n鼠标点击\t左键\t按下\n延迟\t0\t0\n鼠标点击\t左键\t放开\n键盘操作\t66\t0' \
  "$(xs_rows | cut -f3,6,7)"

select_page 1 || fail "page 1 is shown"
pick "$MAIN" kRunMode 1
dc set-text "$MAIN" kRunCount 5
dc click "$MAIN" kSaveRunMode
dc wait-text "$MAIN" kStatusLog "系统提示：修改成功！" 3000 >/dev/null || fail "5 passes of 自定义 are saved"
select_page 0

xfocus target
dc click "$MAIN" kStart
if dc wait-text "$MAIN" kStatusLog "系统提示：执行鼠标类操作成功...." 5000 >/dev/null; then
  pass "the run presses the button"
else
  fail "the run presses the button" "$(xs_log | tail -n 4)"
fi
sleep 1  # inside the 3 s delay now
check_eq "the target saw the button go down" 1 "$(target_events | grep -c "WM_LBUTTONDOWN .*screen=$PX,$PY")"
check_eq "and not yet up" 0 "$(target_events | grep -c 'WM_LBUTTONUP')"
mark=$(wc -l <"$TARGET_RECORD")
dc click "$MAIN" kStop
sleep 4.5  # the rest of the delay, and more
after="$(tail -n +"$((mark + 1))" "$TARGET_RECORD" | grep -v 'WM_MOUSEMOVE\|FOCUS' | cut -d' ' -f2-)"
check_eq "the stop releases the button and nothing follows" "WM_LBUTTONUP client=PT" \
  "$(sed -E "s/client=[-0-9]+,[-0-9]+ screen=$PX,$PY\$/client=PT/" <<<"$after")"
# The 放开 row would come 500 + 3000 ms after the press; a release well before that is the stop's.
held="$(awk '/WM_LBUTTONDOWN/ && !d {d=$1} /WM_LBUTTONUP/ && d && !u {u=$1} END {if (d && u) printf "%.0f", u - d}' "$TARGET_RECORD")"
if [ -n "$held" ] && [ "$held" -lt 3000 ]; then
  pass "the button was released by the stop, after ${held} ms held"
else
  fail "the button was released by the stop" "held for ${held:-?} ms"
fi
log="$(xs_log)"
check_eq "one pass only" 1 "$(grep -c '^系统提示：执行鼠标类操作成功....$' <<<"$log")"
check_lacks "no key row ran" "$log" "执行键盘类操作成功"
check_lacks "the second pass never began" "$log" "代码执行次数为：2"
check_eq "the title was never marked" "$TITLE_IDLE" "$(xs_title)"

acc_finish
