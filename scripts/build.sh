#!/usr/bin/env bash
# Sets up the machine, then configures and builds with Ninja (Release):
#   scripts/build.sh [host] [win] [asan]     (no argument: host and win)
#     host  core, core tests and benchmarks with g++            -> build/host
#     win   xingsuo.exe, Windows tests and black-box tools       -> build/win
#     asan  core tests with address and undefined-behaviour sanitizers -> build/asan
# XS_BUILD_DIR moves the whole build folder; XS_TARGETS limits what is built (e.g. xingsuo).
set -euo pipefail
. "$(dirname "${BASH_SOURCE[0]}")/env.sh"

bash "$XS_ROOT/scripts/setup.sh"

jobs="$(nproc 2>/dev/null || echo 2)"

# configure FOLDER [cmake options...]: once; Ninja re-runs CMake itself when a CMake file or a
# globbed folder changes.
configure() {
  local dir="$1"
  shift
  if [ ! -f "$dir/build.ninja" ]; then
    cmake -S "$XS_ROOT" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release \
      -DXS_SQLITE_DIR="$XS_SQLITE_DIR" "$@"
  fi
}

compile() {
  local dir="$1"
  shift
  local targets=()
  [ $# -gt 0 ] && targets=(--target "$@")
  cmake --build "$dir" --parallel "$jobs" "${targets[@]}"
}

build_host() {
  xs_log "host build in $XS_HOST_BUILD"
  configure "$XS_HOST_BUILD"
  # shellcheck disable=SC2086
  compile "$XS_HOST_BUILD" ${XS_TARGETS:-}
}

build_win() {
  xs_log "Windows build in $XS_WIN_BUILD"
  configure "$XS_WIN_BUILD" -DCMAKE_TOOLCHAIN_FILE="$XS_ROOT/cmake/mingw-w64.cmake"
  # shellcheck disable=SC2086
  compile "$XS_WIN_BUILD" ${XS_TARGETS:-}
}

build_asan() {
  xs_log "sanitizer build in $XS_ASAN_BUILD"
  configure "$XS_ASAN_BUILD" -DXS_SANITIZE=ON
  # Only the core tests: the benchmarks say nothing under sanitizers.
  compile "$XS_ASAN_BUILD" xs_core_tests
}

[ $# -gt 0 ] || set -- host win
for what in "$@"; do
  case "$what" in
    host) build_host ;;
    win) build_win ;;
    asan) build_asan ;;
    *) xs_die "unknown build '$what' (host, win or asan)" ;;
  esac
done
