#!/usr/bin/env bash
# Saved window positions: "刷新进程表" lists the running processes, "刷新进程坐标" shows the
# target's top and left edges, "保存" stores a place, "读入" brings it back (also after a restart),
# "复位" moves the target window there keeping its size, "清空" only empties the boxes.
# shellcheck source=acceptance/lib.sh source-path=SCRIPTDIR/../..
. "$(dirname "${BASH_SOURCE[0]}")/../lib.sh"
acc_scenario 06_window_position

pick_process() {  # <exe name>: selects its entry of the process list; fails when it is missing
  local index
  index="$(dc items "$MAIN" kProcessCombo | grep -n -i -x "$1" | head -n 1 | cut -d: -f1)"
  [ -n "$index" ] || return 1
  pick "$MAIN" kProcessCombo $((index - 1))
}
shown() { echo "$(dc text "$MAIN" kShownX)|$(dc text "$MAIN" kShownY)"; }
boxes() { echo "$(dc text "$MAIN" kPositionX)|$(dc text "$MAIN" kPositionY)"; }

store_reset
target_start 100 60 400 200
xs_start || fail "the main window shows"
select_page 1 || fail "page 1 is shown"
check_eq "the process list is empty at start" "" "$(dc items "$MAIN" kProcessCombo)"

dc set-text "$MAIN" kPositionX 1
dc set-text "$MAIN" kPositionY 2
dc click "$MAIN" kRefreshProcesses
sleep 0.5
check_eq "刷新进程表 selects the first process" 0 "$(dc cursel "$MAIN" kProcessCombo)"
check_eq "刷新进程表 empties the two boxes" "|" "$(boxes)"
check "the list holds xingsuo.exe" grep -q -x -i xingsuo.exe <<<"$(dc items "$MAIN" kProcessCombo)"
if pick_process xstarget.exe; then pass "the list holds xstarget.exe"; else fail "the list holds xstarget.exe"; fi

dc click "$MAIN" kShowPosition
sleep 0.5
check_eq "刷新进程坐标 shows top 60 beside X and left 100 beside Y" "60|100" "$(shown)"

dc set-text "$MAIN" kPositionX 150
dc set-text "$MAIN" kPositionY 250
dc click "$MAIN" kSavePosition
check_msgbox "保存" "位置保存成功" none
check_eq "保存 empties the boxes" "|" "$(boxes)"
check_eq "the store holds the place" "xstarget.exe|150|250" "$(sql 'SELECT 进程名,坐标X,坐标Y FROM 进程位置 WHERE ID > 1')"

dc click "$MAIN" kLoadPosition
check_no_msgbox "读入 finds the place"
check_eq "读入 fills the boxes" "150|250" "$(boxes)"

dc click "$MAIN" kResetWindow
sleep 1
check_eq "复位 moves the target to left 250, top 150, same size" "250 150 650 350" "$(d rect target)"
dc click "$MAIN" kShowPosition
sleep 0.5
check_eq "刷新进程坐标 shows the new place" "150|250" "$(shown)"

dc click "$MAIN" kClearPosition
check_msgbox "清空" "操作数据已清空" none
check_eq "清空 empties the boxes" "|" "$(boxes)"
check_eq "清空 leaves the store alone" 2 "$(sql 'SELECT count(*) FROM 进程位置')"

pick_process xingsuo.exe
dc click "$MAIN" kLoadPosition
check_msgbox "读入 for a process without a place" "对不起，系统没有该进程信息的位置信息" icon

# After a restart the place is still there and 复位 uses whatever the boxes hold.
d close "$MAIN"
xs_wait_exit 10 >/dev/null || xs_kill
xs_start || fail "the main window shows after the restart"
select_page 1 || fail "page 1 is shown after the restart"
dc click "$MAIN" kRefreshProcesses
sleep 0.5
pick_process xstarget.exe || fail "the list holds xstarget.exe after the restart"
dc click "$MAIN" kLoadPosition
check_no_msgbox "读入 after the restart"
check_eq "读入 after the restart fills the boxes" "150|250" "$(boxes)"
dc set-text "$MAIN" kPositionX 300
dc set-text "$MAIN" kPositionY 20
dc click "$MAIN" kResetWindow
sleep 1
check_eq "复位 with 300 / 20 puts the target at left 20, top 300" "20 300 420 500" "$(d rect target)"
shot main-page1-position "$MAIN"

acc_finish
