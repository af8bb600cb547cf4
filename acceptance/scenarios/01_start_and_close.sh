#!/usr/bin/env bash
# First start makes the store and logs three lines; a second start shows the same rows from the
# unchanged file; Esc closes the program with exit code 0, Shift+Esc does not.
# shellcheck source=acceptance/lib.sh source-path=SCRIPTDIR/../..
. "$(dirname "${BASH_SOURCE[0]}")/../lib.sh"
acc_scenario 01_start_and_close

store_reset
xs_start || fail "the main window shows"
dc wait-text "$MAIN" kStatusLog "系统提示：软件初始化成功..." 5000 >/dev/null

check "the store file is made" test -s "$STORE"
check_eq "运行时间 holds the first row" "1|20001" "$(sql 'SELECT 编号,运行时间 FROM 运行时间')"
check_eq "进程位置 holds the first row" "1|QQ.exe|110|1530" "$(sql 'SELECT ID,进程名,坐标X,坐标Y FROM 进程位置')"
check_eq "代码运行次数 holds the first row" "1|10|1" "$(sql 'SELECT ID,运行次数,是否循环 FROM 代码运行次数')"
check_eq "数据存放 is empty" "0" "$(sql 'SELECT count(*) FROM 数据存放')"

raw="$(dc text "$MAIN" kStatusLog)"
log="$(tr -d '\r' <<<"$raw")"
mapfile -t lines <<<"$log"
check_eq "the log holds three lines" 3 "${#lines[@]}"
if [[ "${lines[0]}" =~ ^运行日期：\ [0-9]{4}年[0-9]{1,2}月[0-9]{1,2}日([0-9]{1,2}时([0-9]{1,2}分([0-9]{1,2}秒)?)?)?$ ]]; then
  pass "line 1 is the run date (${lines[0]})"
else
  fail "line 1 is the run date" "${lines[0]}"
fi
check_eq "line 2" "系统提示：软件正在初始化..." "${lines[1]:-}"
check_eq "line 3" "系统提示：软件初始化成功..." "${lines[2]:-}"
check_eq "every line ends in CR LF" 3 "$(grep -c $'\r$' <<<"$raw")"
check_eq "the title" "$TITLE_IDLE" "$(xs_title)"
check_eq "the list is empty" 0 "$(dc list-count "$MAIN" kList)"
check_eq "the loop interval box shows the stored interval" 20001 "$(dc text "$MAIN" kLoopInterval)"
read -r l t r b <<<"$(d rect "$MAIN")"
check_eq "outer size 805 x 446" "805x446" "$((r - l))x$((b - t))"
check_eq "page 0 is current" 0 "$(dc tab-current "$MAIN" kTab)"
check_eq "run mode box shows 无限循环" 0 "$(dc cursel "$MAIN" kRunMode)"
check_eq "run count box disabled" 0 "$(dc enabled "$MAIN" kRunCount)"
shot main-page0-empty "$MAIN"

# The about box: four blocks, no icon.
dc click "$MAIN" kAbout
if about="$(d msgbox-read 5000)"; then
  check_eq "the about box has no icon" none "${about%%$'\n'*}"
  check_has "the about box carries the slogan" "$about" "解放双手，让生活成为一种态度"
  check_has "the about box carries the date" "$about" "2017.2.28"
  check_has "the about box starts with the contact line" "$about" "作者QQ："
  check_has "the about box ends with the home page" "$about" "官网地址："
  d msgbox-ok 3000 >/dev/null || fail "the about box closes"
else
  fail "关于软件 shows the about box"
fi

# Two operations for the second start to bring back.
dc click "$MAIN" kAddDelay
d wait-window "$DELAY" 5000 >/dev/null || fail "the delay editor opens"
dc set-text "$DELAY" kDelayValue 4000
dc click "$DELAY" kDelayAdd
dc wait-text "$MAIN" kStatusLog "系统提示：成功添加延迟操作...." 3000 >/dev/null
d close "$DELAY"
dc click "$MAIN" kAddKeys
d wait-window "$KEYS" 5000 >/dev/null || fail "the key editor opens"
dc set-text "$KEYS" kKey1 17
dc set-text "$KEYS" kKey2 86
dc click "$KEYS" kKeyAdd
dc wait-text "$MAIN" kStatusLog "系统提示：成功添加按键操作...." 3000 >/dev/null
d close "$KEYS"
d wait-gone "$KEYS" 3000 >/dev/null
rows_before="$(xs_rows)"
check_eq "two rows before closing" $'1\t1\t延迟\t0\t0\t0\t0\t0\t4000\n2\t2\t键盘操作\t0\t0\t17\t86\t0\t0' "$rows_before"

# Shift+Esc leaves the window open; Esc closes it, also with the focus in the StatusLog.
xfocus "$MAIN"
xkey shift+Escape
sleep 0.5
check_eq "Shift+Esc does not close the window" 1 "$(d exists "$MAIN")"
xclick_control "$MAIN" kStatusLog
xkey Escape
if rc="$(xs_wait_exit 10)"; then
  check_eq "Esc ends the program with exit code 0" 0 "$rc"
else
  fail "Esc ends the program" "still running 10 s later"
  xs_kill
fi

# Second start: the same file, the same rows, the file unchanged by a start and a close.
sum_before="$(md5sum <"$STORE")"
xs_start || fail "the main window shows again"
dc wait-text "$MAIN" kStatusLog "系统提示：软件初始化成功..." 5000 >/dev/null
check_eq "the second start shows the same rows" "$rows_before" "$(xs_rows)"
check_eq "the second start logs three lines" 3 "$(xs_log | grep -c .)"
d close "$MAIN"
if rc="$(xs_wait_exit 10)"; then
  check_eq "the close box ends the program with exit code 0" 0 "$rc"
else
  fail "the close box ends the program" "still running 10 s later"
fi
check_eq "a start without changes leaves the store file as it was" "$sum_before" "$(md5sum <"$STORE")"

# Third start: a row written into the store file from outside shows in the list.
timeout 10 sqlite3 -batch "$STORE" "INSERT INTO 数据存放 (类型, 坐标X, 坐标Y) VALUES ('鼠标移动', 640, -20)" ||
  fail "a row can be written into the store file"
xs_start || fail "the main window shows a third time"
dc wait-text "$MAIN" kStatusLog "系统提示：软件初始化成功..." 5000 >/dev/null
check_eq "a row put into the store file shows at the next start" \
  "$rows_before"$'\n3\t3\t鼠标移动\t640\t-20\t0\t0\t0\t0' "$(xs_rows)"
d close "$MAIN"
xs_wait_exit 10 >/dev/null || fail "the third start closes"

acc_finish
