#!/usr/bin/env bash
# Every benchmark in one command: builds what is missing (host Release and the Windows programs),
# runs the host reload bench, then under wine on a private Xvfb the delay, StatusLog, start-up
# (with peak working set), and stop-latency benches, measures xingsuo.exe's size, and ends with
# one table of figures. Figures only: the exit code says whether every bench ran, never whether a
# goal was met. bench/README.md says what each figure means.
#   bench/run.sh [--quick]      --quick: fewer rounds, and no 100,000-line whole-text rewrite
#   XS_BENCH_HOST_BUILD, XS_BENCH_WIN_BUILD: build folders (default: those of scripts/build.sh)
set -uo pipefail
exec </dev/null
. "$(dirname "${BASH_SOURCE[0]}")/../scripts/env.sh"
. "$XS_ROOT/scripts/xvfb.sh"

QUICK=""
[ "${1:-}" = "--quick" ] && QUICK=1
HOST_BUILD="${XS_BENCH_HOST_BUILD:-$XS_HOST_BUILD}"
WIN_BUILD="${XS_BENCH_WIN_BUILD:-$XS_WIN_BUILD}"
WIN_BIN="$WIN_BUILD/platform/win32"
OUT="$WIN_BUILD/bench-results"
FIGURES="$OUT/figures.txt"
WINE_CXX=x86_64-w64-mingw32-g++-posix
failed=()

say() { printf '\n==== %s\n' "$*"; }
winpath() { local p; p="$(cd "$(dirname "$1")" && pwd)/$(basename "$1")"; printf 'Z:%s' "${p//\//\\}"; }
# figure GROUP NAME VALUE UNIT [GOAL]: one row of the final table.
figure() { printf 'FIGURE|%s|%s|%s|%s|%s\n' "$1" "$2" "$3" "$4" "${5:-}" >>"$FIGURES"; }

# run NAME SECONDS command...: runs one bench, keeps its output, takes its FIGURE lines.
run() {
  local name=$1 limit=$2 rc
  shift 2
  say "$name"
  timeout -k 5 "$limit" "$@" 2>&1 | tr -d '\r' >"$OUT/$name.log"
  rc=${PIPESTATUS[0]}
  grep -v '^FIGURE|' "$OUT/$name.log"
  grep '^FIGURE|' "$OUT/$name.log" >>"$FIGURES"
  if [ "$rc" -ne 0 ]; then
    echo "($name ended with exit code $rc)"
    failed+=("$name")
  fi
  return "$rc"
}

configure() {  # FOLDER [cmake options...]
  local dir=$1
  shift
  [ -f "$dir/build.ninja" ] && return 0
  cmake -S "$XS_ROOT" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release -DXS_SQLITE_DIR="$XS_SQLITE_DIR" "$@" >/dev/null
}

say "set-up and builds"
bash "$XS_ROOT/scripts/setup.sh" || xs_die "set-up failed"
mkdir -p "$OUT"
: >"$FIGURES"
configure "$HOST_BUILD" || xs_die "host configure failed"
configure "$WIN_BUILD" -DCMAKE_TOOLCHAIN_FILE="$XS_ROOT/cmake/mingw-w64.cmake" || xs_die "Windows configure failed"
cmake --build "$HOST_BUILD" --target operations_reload_bench || failed+=("host build")
cmake --build "$WIN_BUILD" --target xingsuo log_bench startup_bench stop_latency_bench || failed+=("Windows build")
# The delay bench is built on its own: one that does not build leaves the others running.
HAVE_DELAY=""
if [ -f "$XS_ROOT/bench/win32/delay_bench.cpp" ]; then
  if cmake --build "$WIN_BUILD" --target delay_bench; then HAVE_DELAY=1; else failed+=("delay_bench build"); fi
fi
# The start-up yardstick: a GUI program as small as a window allows, linked like xingsuo.exe.
EMPTY="$WIN_BUILD/bench/empty_window.exe"
if [ ! -f "$EMPTY" ] || [ "$XS_ROOT/bench/win32/empty_window.cpp" -nt "$EMPTY" ]; then
  mkdir -p "$(dirname "$EMPTY")"
  "$WINE_CXX" -O2 -municode -mwindows -static -s -o "$EMPTY" "$XS_ROOT/bench/win32/empty_window.cpp" ||
    failed+=("empty_window build")
fi
EXE="$WIN_BIN/xingsuo.exe"

if [ -x "$HOST_BUILD/bench/operations_reload_bench" ]; then
  if run reload 600 "$HOST_BUILD/bench/operations_reload_bench"; then
    # Its table: | rows | insert ms | 1st reload ms | reload ms | store read ms | ... |
    awk -F'|' '$2 ~ /^ *[0-9]+ *$/ {
        gsub(/ /, "", $2); gsub(/ /, "", $4); gsub(/ /, "", $5); gsub(/ /, "", $9)
        printf "FIGURE|reload|first reload, %s rows (host)|%s|ms|\n", $2, $4
        printf "FIGURE|reload|full reload, %s rows (host)|%s|ms|\n", $2, $5
        printf "FIGURE|reload|peak resident, %s rows (host)|%.1f|MiB|\n", $2, $9 / 1024
      }' "$OUT/reload.log" >>"$FIGURES"
  fi
fi

say "Windows benches under wine"
xs_xvfb_start
xs_wineserver_up

if [ -n "$HAVE_DELAY" ]; then
  run delay 600 wine "$WIN_BIN/delay_bench.exe"
  # Its tables (see its own output for every method): the program's wait, WaitUntil on the
  # high-resolution timer, and the old spin on the tick count, each as median / worst error; then
  # the CPU each takes during a 2 s wait.
  awk '
    function keep(name) { return name == "WaitUntil hi-res" || name == "spin GetTickCount" }
    /absolute error/ { errors = 1; next }
    errors && /^requested/ { n = split($0, h, "|"); for (i = 2; i <= n; i++) { m[i] = h[i]; gsub(/^ +| +$/, "", m[i]) } next }
    errors && /^ *[0-9]+ ms/ {
      k = split($0, c, "|"); ms = c[1]; sub(/ ms.*/, "", ms); gsub(/ /, "", ms)
      for (i = 2; i <= k; i++) if (keep(m[i])) { split(c[i], v, "/"); gsub(/ /, "", v[1]); gsub(/ /, "", v[2])
        printf "FIGURE|delay|%s ms wait, %s: error median / worst|%s / %s|ms|\n", ms, m[i], v[1], v[2] }
      next
    }
    /CPU time during/ { errors = 0; cpu = 1; next }
    cpu && /\|/ { split($0, c, "|"); name = c[1]; gsub(/^ +| +$/, "", name); pct = c[3]; gsub(/ /, "", pct)
      if (keep(name)) printf "FIGURE|delay|CPU during a 2 s wait, %s|%s|%% core|\n", name, pct }' \
    "$OUT/delay.log" >>"$FIGURES"
fi

if [ -n "$QUICK" ]; then
  run log 900 wine "$WIN_BIN/log_bench.exe" 3 10000
  run startup 900 wine "$WIN_BIN/startup_bench.exe" "$(winpath "$EXE")" "$(winpath "$EMPTY")" 3
  run stop 600 wine "$WIN_BIN/stop_latency_bench.exe" "$(winpath "$EXE")" 5
else
  run log 1800 wine "$WIN_BIN/log_bench.exe" 7 100000
  run startup 1200 wine "$WIN_BIN/startup_bench.exe" "$(winpath "$EXE")" "$(winpath "$EMPTY")" 10
  run stop 600 wine "$WIN_BIN/stop_latency_bench.exe" "$(winpath "$EXE")" 20
fi

say "size of xingsuo.exe"
if [ -f "$EXE" ]; then
  size=$(stat -c %s "$EXE")
  stripped="$OUT/xingsuo-stripped.exe"
  x86_64-w64-mingw32-strip -o "$stripped" "$EXE"
  ssize=$(stat -c %s "$stripped")
  rm -f "$stripped"
  printf 'xingsuo.exe: %d bytes as built, %d bytes without its symbols (strip, the same as linking with -s)\n' \
    "$size" "$ssize"
  figure size "xingsuo.exe as built" "$(awk -v b="$size" 'BEGIN { printf "%.2f", b / 1048576 }')" MiB "goal <= 3"
  figure size "xingsuo.exe without symbols (-s)" "$(awk -v b="$ssize" 'BEGIN { printf "%.2f", b / 1048576 }')" MiB "goal <= 3"
fi

xs_xvfb_cleanup

say "figures ($(date '+%Y-%m-%d %H:%M'); $(nproc) processors; load average$(uptime | sed 's/.*load average//'))"
awk -F'|' '
  BEGIN { printf "| %-8s | %-62s | %14s | %-7s | %-10s |\n", "group", "figure", "value", "unit", "goal"
          printf "|%s|%s|%s|%s|%s|\n", "----------", "----------------------------------------------------------------",
                 "----------------", "---------", "------------" }
  $1 == "FIGURE" { printf "| %-8s | %-62s | %14s | %-7s | %-10s |\n", $2, $3, $4, $5, $6 }' "$FIGURES"
echo "(each bench's own output: $OUT/*.log)"
if [ ${#failed[@]} -gt 0 ]; then
  echo "did not run cleanly: ${failed[*]}"
  exit 1
fi
