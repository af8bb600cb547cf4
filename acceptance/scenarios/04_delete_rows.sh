#!/usr/bin/env bash
# "删除" from the list's popup menu removes the selected row's own record: after a restart (the
# list shows the store's IDs) and after "清空操作" (the list numbers from 1 again while the store
# goes on counting). The menu acts on the row selected before the right click.
# shellcheck source=acceptance/lib.sh source-path=SCRIPTDIR/../..
. "$(dirname "${BASH_SOURCE[0]}")/../lib.sh"
acc_scenario 04_delete_rows

add_delays() {  # <ms>...: one delay row each, through the delay editor
  local v n
  dc click "$MAIN" kAddDelay
  d wait-window "$DELAY" 5000 >/dev/null || { fail "the delay editor opens"; return; }
  for v in "$@"; do
    n=$(dc list-count "$MAIN" kList)
    dc set-text "$DELAY" kDelayValue "$v"
    dc click "$DELAY" kDelayAdd
    dc wait-rows "$MAIN" kList $((n + 1)) 3000 >/dev/null || fail "delay $v is added"
  done
  d close "$DELAY"
  d wait-gone "$DELAY" 3000 >/dev/null
}
left_click_row() {  # <row>
  local p
  p="$(dc row-centre "$MAIN" kList "$1")" || return 1
  # shellcheck disable=SC2086
  xclick $p 1
  sleep 0.2
}
# Right click on a row; if the menu opens, choose its one item "删除". Returns 1 when no menu.
delete_by_menu() {  # <row to right-click>
  local p l t r b
  p="$(dc row-centre "$MAIN" kList "$1")" || return 1
  # shellcheck disable=SC2086
  xclick $p 3
  d wait-window menu 1500 >/dev/null || return 1
  read -r l t r b <<<"$(d rect menu)"
  xclick $(((l + r) / 2)) $(((t + b) / 2)) 1
  d wait-gone menu 3000 >/dev/null
}
store_rows() { sql 'SELECT ID,延迟 FROM 数据存放 ORDER BY ID' | tr '\n' ' '; }

store_reset
xs_start || fail "the main window shows"
add_delays 100 200 300
d close "$MAIN"
xs_wait_exit 10 >/dev/null || xs_kill
xs_start || fail "the main window shows after the restart"
check_eq "three rows after the restart" $'1\t1\t100\n2\t2\t200\n3\t3\t300' "$(xs_rows | cut -f1,2,9)"

# No row selected: a right click opens no menu and selects nothing.
if delete_by_menu 2; then fail "no menu without a selected row"; else pass "no menu without a selected row"; fi
check_eq "the right click selected nothing" -1 "$(dc list-selected "$MAIN" kList)"

# Row 2 selected, right click on row 3: row 2's record goes.
left_click_row 1
check_eq "a left click selects row 2" 1 "$(dc list-selected "$MAIN" kList)"
if delete_by_menu 2; then pass "the menu opens over row 3"; else fail "the menu opens over row 3"; fi
dc wait-text "$MAIN" kStatusLog "系统系统：删除操作成功...." 3000 >/dev/null || fail "the delete is logged"
check_eq "the list is rebuilt without 200" $'1\t1\t100\n2\t3\t300' "$(xs_rows | cut -f1,2,9)"
check_eq "the store lost record 2" "1|100 3|300 " "$(store_rows)"

# After 清空操作 the list numbers from 1 again, the store from 4 on.
dc click "$MAIN" kClearAll
dc wait-text "$MAIN" kStatusLog "系统提示：清空成功..." 3000 >/dev/null || fail "the clear is logged"
check_eq "the list is empty" 0 "$(dc list-count "$MAIN" kList)"
check_eq "the store is empty" "" "$(store_rows)"
add_delays 500 600 700
check_eq "new rows show 1 2 3" $'1\t1\t500\n2\t2\t600\n3\t3\t700' "$(xs_rows | cut -f1,2,9)"
check_eq "the store gave them 4 5 6" "4|500 5|600 6|700 " "$(store_rows)"

# The second row shows 2, but its record is 5: 600 must go, 500 and 700 stay.
left_click_row 1
check_eq "row 2 selected" 1 "$(dc list-selected "$MAIN" kList)"
delete_by_menu 1 || fail "the menu opens over row 2"
sleep 0.5
check_eq "the store lost 600 and only 600" "4|500 6|700 " "$(store_rows)"
check_eq "the list shows the store's IDs after the rebuild" $'1\t4\t500\n2\t6\t700' "$(xs_rows | cut -f1,2,9)"
check_eq "two delete lines in the log" 2 "$(xs_log | grep -c '^系统系统：删除操作成功....$')"

# The same after another restart: the last row goes.
d close "$MAIN"
xs_wait_exit 10 >/dev/null || xs_kill
xs_start || fail "the main window shows after the second restart"
left_click_row 1
delete_by_menu 0 || fail "the menu opens over row 1"
sleep 0.5
check_eq "after a restart, deleting row 2 removes record 6" "4|500 " "$(store_rows)"
check_eq "the list shows the one row left" $'1\t4\t500' "$(xs_rows | cut -f1,2,9)"

acc_finish
