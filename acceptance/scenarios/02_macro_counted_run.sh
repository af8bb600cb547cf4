#!/usr/bin/env bash
# A macro built with the three editors (move onto the target, a left double click, Ctrl+A, a
# 300 ms delay), run mode "自定义" with 3 passes, a restart, then F3 with the target focused:
# exactly three passes reach the target, in order, at the point, with a real double click.
# shellcheck source=acceptance/lib.sh source-path=SCRIPTDIR/../..
. "$(dirname "${BASH_SOURCE[0]}")/../lib.sh"
acc_scenario 02_macro_counted_run

readonly PX=300 PY=160  # a point inside the target's client area
store_reset
target_start 100 60 400 200
xs_start || fail "the main window shows"

# Mouse editor: a move, then a left double click.
dc click "$MAIN" kAddMouse
if d wait-window "$MOUSE" 5000 >/dev/null; then
  pass "the mouse editor opens"
  check_eq "mouse editor: type box entries" $'鼠标点击\n鼠标移动' "$(dc items "$MOUSE" kMouseType)"
  check_eq "mouse editor: button box entries" $'左键\n右键\n中键' "$(dc items "$MOUSE" kMouseButton)"
  check_eq "mouse editor: action box entries" $'单击\n双击\n按下\n放开' "$(dc items "$MOUSE" kMouseAction)"
  check_eq "mouse editor: X box disabled in click mode" 0 "$(dc enabled "$MOUSE" kMouseX)"
  pick "$MOUSE" kMouseType 1
  sleep 0.2
  check_eq "mouse editor: X box enabled in move mode" 1 "$(dc enabled "$MOUSE" kMouseX)"
  check_eq "mouse editor: button box disabled in move mode" 0 "$(dc enabled "$MOUSE" kMouseButton)"
  dc set-text "$MOUSE" kMouseX "$PX"
  dc set-text "$MOUSE" kMouseY "$PY"
  shot editor-mouse "$MOUSE"
  dc click "$MOUSE" kMouseAdd
  dc wait-text "$MAIN" kStatusLog "系统提示：成功添加鼠标方位操作...." 3000 >/dev/null ||
    fail "the move is logged"
  check_eq "mouse editor: back in click mode after an add" 0 "$(dc cursel "$MOUSE" kMouseType)"
  check_eq "mouse editor: X box emptied" "" "$(dc text "$MOUSE" kMouseX)"
  # A second "添加鼠标操作" brings the open editor back instead of making another.
  dc click "$MAIN" kAddMouse
  sleep 0.5
  check_eq "mouse editor: one window after a second open" 1 "$(d count "$MOUSE")"
  pick "$MOUSE" kMouseButton 0
  pick "$MOUSE" kMouseAction 1
  check_eq "mouse editor: 左键 and 双击 chosen" "0 1" "$(dc cursel "$MOUSE" kMouseButton) $(dc cursel "$MOUSE" kMouseAction)"
  dc click "$MOUSE" kMouseAdd
  dc wait-text "$MAIN" kStatusLog "系统提示：成功添加鼠标按键操作...." 3000 >/dev/null ||
    fail "the click is logged"
  live="$(dc text "$MOUSE" kMouseLiveX) $(dc text "$MOUSE" kMouseLiveY)"
  check_eq "mouse editor: the live position shows the pointer" "$(d cursor)" "$live"
  d close "$MOUSE"
else
  fail "the mouse editor opens"
fi

# Key editor: Ctrl+A, and the converter.
dc click "$MAIN" kAddKeys
if d wait-window "$KEYS" 5000 >/dev/null; then
  pass "the key editor opens"
  check_eq "key editor: converter shows 0 at first" 0 "$(dc text "$KEYS" kConvertOut)"
  dc set-text "$KEYS" kConvertIn a
  check_eq "key editor: converter turns a into 65" 65 "$(dc text "$KEYS" kConvertOut)"
  dc set-text "$KEYS" kKey1 17
  dc set-text "$KEYS" kKey2 65
  shot editor-keys "$KEYS"
  dc click "$KEYS" kKeyAdd
  dc wait-text "$MAIN" kStatusLog "系统提示：成功添加按键操作...." 3000 >/dev/null || fail "the key press is logged"
  check_eq "key editor: boxes emptied after an add" "||" \
    "$(dc text "$KEYS" kKey1)|$(dc text "$KEYS" kKey2)|$(dc text "$KEYS" kKey3)"
  d close "$KEYS"
else
  fail "the key editor opens"
fi

# Delay editor: 300 ms.
dc click "$MAIN" kAddDelay
if d wait-window "$DELAY" 5000 >/dev/null; then
  pass "the delay editor opens"
  dc set-text "$DELAY" kDelayValue 300
  shot editor-delay "$DELAY"
  dc click "$DELAY" kDelayAdd
  dc wait-text "$MAIN" kStatusLog "系统提示：成功添加延迟操作...." 3000 >/dev/null || fail "the delay is logged"
  check_eq "delay editor: the box keeps its value" 300 "$(dc text "$DELAY" kDelayValue)"
  xfocus "$DELAY"
  xkey Escape
  if d wait-gone "$DELAY" 3000; then pass "delay editor: Esc closes it"; else fail "delay editor: Esc closes it"; d close "$DELAY"; fi
  check_eq "Esc in an editor leaves the main window open" 1 "$(d exists "$MAIN")"
else
  fail "the delay editor opens"
fi
d wait-gone "$DELAY" 3000 >/dev/null

expected_rows="1	1	鼠标移动	$PX	$PY	0	0	0	0
2	2	鼠标点击	0	0	左键	双击	0	0
3	3	键盘操作	0	0	17	65	0	0
4	4	延迟	0	0	0	0	0	300"
check_eq "the list shows the four operations" "$expected_rows" "$(xs_rows)"
check_eq "the store holds the four operations" "1|鼠标移动|$PX|$PY|||0
2|鼠标点击|0|0|左键|双击|0
3|键盘操作|0|0|17|65|0
4|延迟|0|0|||300" "$(sql 'SELECT ID,类型,坐标X,坐标Y,参数一,参数二,延迟 FROM 数据存放 ORDER BY ID')"
shot main-page0 "$MAIN"

# Run mode "自定义" with 3 passes.
select_page 1 || fail "page 1 is shown"
pick "$MAIN" kRunMode 1
dc wait-text "$MAIN" kStatusLog "星梭提醒你：自定义运行，请先先设置延迟操作~！避免出错~！" 3000 >/dev/null ||
  fail "picking 自定义 logs the reminder"
check_eq "the count box is enabled" 1 "$(dc enabled "$MAIN" kRunCount)"
check_eq "the count box shows the stored count" 10 "$(dc text "$MAIN" kRunCount)"
dc set-text "$MAIN" kRunCount 3
dc click "$MAIN" kSaveRunMode
dc wait-text "$MAIN" kStatusLog "系统提示：修改成功！" 3000 >/dev/null || fail "设置 logs success"
check_eq "the store holds 自定义 with 3 passes" "3|0" "$(sql 'SELECT 运行次数,是否循环 FROM 代码运行次数')"
shot main-page1 "$MAIN"

# Restart. Decided change: the stored mode and count are put into the controls at start-up, so a
# counted run needs no visit to page 1 first.
d close "$MAIN"
xs_wait_exit 10 >/dev/null || xs_kill
xs_start || fail "the main window shows after the restart"
check_eq "after the restart the list is the same" "$expected_rows" "$(xs_rows)"
check_eq "after the restart the run mode box shows 自定义" 1 "$(dc cursel "$MAIN" kRunMode)"
check_eq "after the restart the count box shows 3" 3 "$(dc text "$MAIN" kRunCount)"
check_eq "page 0 is current" 0 "$(dc tab-current "$MAIN" kTab)"

# F3 with the target focused.
xfocus target
: >"$TARGET_RECORD.mark"
xkey F3
if dc wait-text "$MAIN" kStatusLog "系统提示：代码执行次数为：3" 30000 >/dev/null; then
  pass "three passes are logged"
else
  fail "three passes are logged" "$(xs_log | tail -n 5)"
fi
sleep 1.5
log="$(xs_log)"
check_eq "exactly three count lines" $'系统提示：代码执行次数为：1\n系统提示：代码执行次数为：2\n系统提示：代码执行次数为：3' \
  "$(grep '代码执行次数为' <<<"$log")"
check_eq "three mouse lines per pass" 3 "$(grep -c '^系统提示：执行鼠标类操作成功....$' <<<"$log")"
check_eq "three key lines" 3 "$(grep -c '^系统提示：执行键盘类操作成功....$' <<<"$log")"
check_eq "three delay lines" 3 "$(grep -c '^系统提示：执行延迟类操作成功....$' <<<"$log")"
check_eq "a counted run leaves the title alone" "$TITLE_IDLE" "$(xs_title)"

pass_events="WM_LBUTTONDOWN client=PT
WM_LBUTTONUP client=PT
WM_LBUTTONDBLCLK client=PT
WM_LBUTTONUP client=PT
WM_KEYDOWN vk=17
WM_KEYDOWN vk=65
WM_KEYUP vk=17
WM_KEYUP vk=65"
got="$(target_events | grep -E 'BUTTON|vk=(17|65) ' |
  sed -E "s/ screen=$PX,$PY\$/ AT-POINT/; s/client=[-0-9]+,[-0-9]+ AT-POINT/client=PT/; s/ scan=.*//")"
want="$(printf '%s\n%s\n%s' "$pass_events" "$pass_events" "$pass_events")"
check_eq "the target got three passes of events, in order, at the point" "$want" "$got"
check_eq "the cursor stays on the point" "$PX $PY" "$(d cursor)"
# How long a pass took at the target: first button down to the last key up of pass 1.
awk '/WM_LBUTTONDOWN/ && !s {s=$1} /WM_KEYUP vk=65/ && !e {e=$1} END {if (s && e) printf "    info  pass 1: first click to last key up %.0f ms\n", e - s}' "$TARGET_RECORD"

acc_finish
