#!/usr/bin/env bash
# Every test of the project, from a fresh machine: set-up, both builds, the core tests, the
# Windows tests under wine on a private Xvfb, the black-box acceptance suite, and the core tests
# again under address and undefined-behaviour sanitizers. Ends with "N passed, N failed" and a
# non-zero exit code when anything failed.
#   XS_SKIP_SANITIZE=1   leaves out the sanitizer build (it compiles SQLite once more)
#   XS_SKIP_ACCEPTANCE=1 leaves out the acceptance suite (XS_ACCEPTANCE_TIMEOUT: its limit, 1800 s)
set -uo pipefail
exec </dev/null   # CI has no input; nothing here may wait for any
. "$(dirname "${BASH_SOURCE[0]}")/env.sh"
. "$(dirname "${BASH_SOURCE[0]}")/xvfb.sh"

LOGS="$XS_BUILD_DIR/logs"
passed=0
failed=0
failures=()
t_start=$SECONDS

section() { printf '\n==== %s (at %d s)\n' "$*" $((SECONDS - t_start)); }

# fail WHAT: a step that produced no test results of its own counts as one failed test.
fail() {
  failed=$((failed + 1))
  failures+=("$1")
}

# count LOG WHAT RC: adds the results a runner printed; a runner that failed without printing any
# counts as one failure.
count() {
  local log=$1 what=$2 rc=$3 line total bad p f
  line="$(grep -E '^[0-9]+% tests passed, [0-9]+ tests? failed out of [0-9]+' "$log" | tail -n 1)"
  if [ -n "$line" ]; then
    total="$(sed -E 's/.* out of ([0-9]+).*/\1/' <<<"$line")"
    bad="$(sed -E 's/.*passed, ([0-9]+) tests? failed.*/\1/' <<<"$line")"
    passed=$((passed + total - bad))
    failed=$((failed + bad))
    [ "$bad" -eq 0 ] || failures+=("$what: $bad of $total")
    [ "$rc" -eq 0 ] || [ "$bad" -ne 0 ] || fail "$what (exit code $rc)"
    return
  fi
  line="$(grep -E '^([A-Za-z-]+: )?[0-9]+ passed, [0-9]+ failed' "$log" | tail -n 1)"
  if [ -n "$line" ]; then
    p="$(sed -E 's/^([A-Za-z-]+: )?([0-9]+) passed.*/\2/' <<<"$line")"
    f="$(sed -E 's/^([A-Za-z-]+: )?[0-9]+ passed, ([0-9]+) failed.*/\2/' <<<"$line")"
    passed=$((passed + p))
    failed=$((failed + f))
    [ "$f" -eq 0 ] || failures+=("$what: $f failed")
    [ "$rc" -eq 0 ] || [ "$f" -ne 0 ] || fail "$what (exit code $rc)"
    return
  fi
  if [ "$rc" -eq 0 ]; then passed=$((passed + 1)); else fail "$what (exit code $rc)"; fi
}

# step LOGNAME WHAT command...: runs a command, shows and keeps its output, counts its results.
step() {
  local name=$1 what=$2 rc
  shift 2
  "$@" 2>&1 | tee "$LOGS/$name.log"
  rc=${PIPESTATUS[0]}
  count "$LOGS/$name.log" "$what" "$rc"
  return "$rc"
}

# build WHAT: a failed build counts as one failure and skips the tests that need it.
build() {
  local rc
  bash "$XS_ROOT/scripts/build.sh" "$1" 2>&1 | tee "$LOGS/build-$1.log"
  rc=${PIPESTATUS[0]}
  [ "$rc" -eq 0 ] || fail "$1 build"
  return "$rc"
}

section "set-up"
bash "$XS_ROOT/scripts/setup.sh" || { echo "set-up failed"; echo "0 passed, 1 failed"; exit 1; }
mkdir -p "$LOGS"

section "host build and core tests"
if build host; then
  step host-tests "core tests" \
    ctest --test-dir "$XS_HOST_BUILD" --output-on-failure --no-tests=error -j "$(nproc)"
fi

section "Windows build"
if build win; then
  section "Windows tests under wine"
  if xs_xvfb_start; then
    step win-tests "Windows tests" \
      ctest --test-dir "$XS_WIN_BUILD" --output-on-failure --no-tests=error
  else
    fail "Windows tests (no X display)"
  fi
  # The acceptance suite brings its own display and server; ours would only be in its way.
  xs_xvfb_cleanup

  if [ -z "${XS_SKIP_ACCEPTANCE:-}" ] && [ -f "$XS_ROOT/acceptance/run.sh" ]; then
    section "acceptance suite"
    # A hung scenario must not hold CI until its own time limit.
    step acceptance "acceptance" \
      timeout -k 30 "${XS_ACCEPTANCE_TIMEOUT:-1800}" bash "$XS_ROOT/acceptance/run.sh" "$XS_WIN_BUILD"
  fi
fi

if [ -z "${XS_SKIP_SANITIZE:-}" ]; then
  section "core tests under sanitizers"
  if build asan; then
    # A leak fails a test as an overflow does.
    ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=0}" \
      UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}" \
      step asan-tests "sanitizer tests" \
      ctest --test-dir "$XS_ASAN_BUILD" --output-on-failure --no-tests=error -j "$(nproc)"
  fi
fi

section "summary (logs in $LOGS)"
for f in "${failures[@]}"; do echo "failed: $f"; done
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ] && [ "$passed" -gt 0 ]
