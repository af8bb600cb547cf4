#!/usr/bin/env bash
# Bad input in every number box and required field ("", "-", "12a", a 40-digit number) is refused
# with an error message box: nothing is stored and no success is logged. A process name with an
# apostrophe is saved and read back like any other text.
# shellcheck source=acceptance/lib.sh source-path=SCRIPTDIR/../..
. "$(dirname "${BASH_SOURCE[0]}")/../lib.sh"
acc_scenario 05_bad_input

readonly BIG=1234567890123456789012345678901234567890
readonly BAD=("-" "12a" "$BIG")

# One refused attempt: set the boxes ("id=value" pairs), press the button, expect an error box.
# An expected text is checked exactly; without one any text with the error icon will do.
attempt() {  # <what> <window> <button-name> <expected text or ""> <box=value>...
  local what=$1 win=$2 button=$3 text=$4 pair
  shift 4
  for pair in "$@"; do dc set-text "$win" "${pair%%=*}" "${pair#*=}"; done
  dc click "$win" "$button"
  if [ -n "$text" ]; then check_msgbox "$what" "$text" icon; else check_refused "$what"; fi
}

store_reset
xs_start || fail "the main window shows"
dc wait-text "$MAIN" kStatusLog "系统提示：软件初始化成功..." 5000 >/dev/null
store_before="$(sql 'SELECT * FROM 运行时间; SELECT * FROM 代码运行次数; SELECT count(*) FROM 数据存放; SELECT count(*) FROM 进程位置')"

# Mouse editor, move mode: X and Y.
dc click "$MAIN" kAddMouse
if d wait-window "$MOUSE" 5000 >/dev/null; then
  pick "$MOUSE" kMouseType 1
  attempt "move, X and Y empty" "$MOUSE" kMouseAdd "坐标X，坐标Y不能为空" kMouseX= kMouseY=
  attempt "move, Y empty" "$MOUSE" kMouseAdd "坐标X，坐标Y不能为空" kMouseX=100 kMouseY=
  for v in "${BAD[@]}"; do
    attempt "move, X '$v'" "$MOUSE" kMouseAdd "" "kMouseX=$v" kMouseY=100
    attempt "move, Y '$v'" "$MOUSE" kMouseAdd "" kMouseX=100 "kMouseY=$v"
  done
  d close "$MOUSE"
else
  fail "the mouse editor opens"
fi

# Key editor: the first code is required, the other two optional but must be codes when given.
dc click "$MAIN" kAddKeys
if d wait-window "$KEYS" 5000 >/dev/null; then
  attempt "keys, first code empty" "$KEYS" kKeyAdd "至少有一个按键操作" kKey1= kKey2=65 kKey3=
  for v in "${BAD[@]}"; do
    attempt "keys, first code '$v'" "$KEYS" kKeyAdd "" "kKey1=$v" kKey2= kKey3=
    attempt "keys, second code '$v'" "$KEYS" kKeyAdd "" kKey1=17 "kKey2=$v" kKey3=
    attempt "keys, third code '$v'" "$KEYS" kKeyAdd "" kKey1=17 kKey2=65 "kKey3=$v"
  done
  d close "$KEYS"
else
  fail "the key editor opens"
fi

# Delay editor.
dc click "$MAIN" kAddDelay
if d wait-window "$DELAY" 5000 >/dev/null; then
  attempt "delay empty" "$DELAY" kDelayAdd "延迟添加数不能为空" kDelayValue=
  for v in "${BAD[@]}"; do attempt "delay '$v'" "$DELAY" kDelayAdd "" "kDelayValue=$v"; done
else
  fail "the delay editor opens"
fi
check_eq "no operation is listed" 0 "$(dc list-count "$MAIN" kList)"

# Settings: the loop interval and, in mode 自定义, the run count.
select_page 1 || fail "page 1 is shown"
attempt "interval empty" "$MAIN" kSaveInterval "运行时间不能为空" kLoopInterval=
for v in "${BAD[@]}"; do attempt "interval '$v'" "$MAIN" kSaveInterval "" "kLoopInterval=$v"; done
pick "$MAIN" kRunMode 1
dc wait-text "$MAIN" kStatusLog "星梭提醒你" 3000 >/dev/null
attempt "run count empty" "$MAIN" kSaveRunMode "运行次数不能为空" kRunCount=
for v in "${BAD[@]}"; do attempt "run count '$v'" "$MAIN" kSaveRunMode "" "kRunCount=$v"; done

check_eq "the store is unchanged" "$store_before" \
  "$(sql 'SELECT * FROM 运行时间; SELECT * FROM 代码运行次数; SELECT count(*) FROM 数据存放; SELECT count(*) FROM 进程位置')"
log="$(xs_log)"
check_lacks "no add logged as done" "$log" "成功添加"
check_lacks "no setting logged as changed" "$log" "修改成功"
check_eq "the log holds the start-up lines and the reminder only" \
  $'系统提示：软件正在初始化...\n系统提示：软件初始化成功...\n星梭提醒你：自定义运行，请先先设置延迟操作~！避免出错~！' \
  "$(tail -n +2 <<<"$log" | grep .)"

# A good value still goes through the same editor afterwards.
dc set-text "$DELAY" kDelayValue 250
dc click "$DELAY" kDelayAdd
dc wait-text "$MAIN" kStatusLog "系统提示：成功添加延迟操作...." 3000 >/dev/null || fail "a good delay is added"
check_eq "the good delay is stored" "延迟|250" "$(sql 'SELECT 类型,延迟 FROM 数据存放')"
d close "$DELAY"

# A process whose file name has an apostrophe.
TARGET_EXE="$ACC_WORK/it's target.exe"
cp "$XS_TARGET" "$TARGET_EXE"
target_start 500 40 300 150
dc click "$MAIN" kRefreshProcesses
sleep 0.5
index="$(dc items "$MAIN" kProcessCombo | grep -n -x "it's target.exe" | head -n 1 | cut -d: -f1)"
if [ -n "$index" ]; then
  pass "the process list holds it's target.exe"
  pick "$MAIN" kProcessCombo $((index - 1))
  dc set-text "$MAIN" kPositionX 77
  dc set-text "$MAIN" kPositionY "O'Neil"
  dc click "$MAIN" kSavePosition
  check_msgbox "save for it's target.exe" "位置保存成功" none
  check_eq "the row is stored as typed" "it's target.exe|77|O'Neil" \
    "$(sql "SELECT 进程名,坐标X,坐标Y FROM 进程位置 WHERE ID > 1")"
  check_eq "保存 empties the boxes" "|" "$(dc text "$MAIN" kPositionX)|$(dc text "$MAIN" kPositionY)"
  dc click "$MAIN" kLoadPosition
  check_no_msgbox "读入 finds the saved row"
  check_eq "读入 puts the saved texts back" "77|O'Neil" "$(dc text "$MAIN" kPositionX)|$(dc text "$MAIN" kPositionY)"
else
  fail "the process list holds it's target.exe" "$(dc items "$MAIN" kProcessCombo | tr '\n' ' ')"
fi

acc_finish
