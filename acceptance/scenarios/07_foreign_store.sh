#!/usr/bin/env bash
# A file that is not our store where the store lives: "数据库丢失，请用户重新下载" with the error
# icon, exit code 0 after OK, and the file byte for byte as it was. Three kinds of file: text and
# binary junk, an SQLite database of some other program, and an empty file.
# shellcheck source=acceptance/lib.sh source-path=SCRIPTDIR/../..
. "$(dirname "${BASH_SOURCE[0]}")/../lib.sh"
acc_scenario 07_foreign_store

make_junk() {
  { printf 'These are my notes, not a store.\r\n'; head -c 5000 /dev/urandom; } >"$1"
}
make_other_db() {
  rm -f "$1"
  timeout 10 sqlite3 "$1" "CREATE TABLE notes(id INTEGER PRIMARY KEY, body TEXT); INSERT INTO notes(body) VALUES ('keep me');"
}
make_empty() { : >"$1"; }

for kind in junk other_db empty; do
  store_reset
  mkdir -p "$(dirname "$STORE")"
  "make_$kind" "$STORE"
  cp -p "$STORE" "$ACC_WORK/original.$kind"
  xs_launch
  if d wait-window msgbox 15000 >/dev/null; then
    if [ "$(d exists "$MAIN")" = 1 ]; then
      check_eq "$kind: the log holds the first two lines only" "系统提示：软件正在初始化..." "$(xs_log | tail -n +2 | grep .)"
    fi
    [ "$kind" = junk ] && shot store-lost "msgbox"
    check_msgbox "$kind" "数据库丢失，请用户重新下载" icon
  else
    fail "$kind: a message box shows" "windows: $(d windows | awk -F'\t' '$3 == 1' | cut -f4,6 | tr '\n' ' ')"
  fi
  if rc="$(xs_wait_exit 10)"; then
    check_eq "$kind: exit code 0" 0 "$rc"
  else
    fail "$kind: the program ends after OK" "still running 10 s later"
    xs_kill
  fi
  check "$kind: the file is unchanged" cmp -s "$STORE" "$ACC_WORK/original.$kind"
  check_eq "$kind: nothing else left beside it" "NBDA.rdb" "$(find "$(dirname "$STORE")" -mindepth 1 -printf '%f\n')"
done
store_reset

acc_finish
