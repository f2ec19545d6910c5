#!/usr/bin/env bash
# `make check`: builds the three presets and runs every test. The test runs mostly wait on their
# displays (Wine's above all), so each runs in the background while the next preset compiles at
# a lower priority; their output is printed whole at the end. The unit and contract tests run
# once on Linux, under the sanitizers; the scenarios and the package run on the plain program
# too. Usage: check.sh (JOBS and TEST_JOBS from the environment)
set -uo pipefail
cd "$(dirname "$0")/.."
jobs=${JOBS:-2}
test_jobs=${TEST_JOBS:-4}
logs=build/check-logs
mkdir -p "$logs"
names=() pids=() failed=()

say() { printf '== %3d s: %s\n' "$SECONDS" "$*"; }
step() { say "$@" && "$@" || { failed+=("$*") && return 1; }; }
build() { step nice -n 10 cmake --build --preset "$@" -j "$jobs"; }
# Starts a test run; its output goes to a log that `finish` prints.
background() {
  local name=$1
  shift
  say "$* (in the background)"
  "$@" >"$logs/$name.log" 2>&1 &
  names+=("$name") pids+=($!)
}
# Ends the run with the list of failed steps, if there is one.
stop_if_failed() { [ ${#failed[@]} -eq 0 ] || { printf 'make check FAILED: %s\n' "${failed[@]}" >&2 && exit 1; }; }
finish() {
  for i in "${!pids[@]}"; do
    local status=0
    wait "${pids[$i]}" || status=$?
    say "${names[$i]}: the test run's output"
    cat "$logs/${names[$i]}.log"
    [ $status -eq 0 ] || failed+=("${names[$i]} tests")
  done
  names=() pids=()
}

# The configure steps are mostly serial checks: all three at once.
configure() { cmake --preset "$1" >"$logs/configure-$1.log" 2>&1 || { cat "$logs/configure-$1.log" && false; }; }
configure linux & linux_pid=$!
configure linux-asan & asan_pid=$!
windows=no
if bash cmake/windows-toolchain-check.sh install; then
  windows=yes
  configure windows || failed+=("cmake --preset windows")
else
  echo "Windows part skipped: the MinGW-w64 toolchain or Wine cannot be installed here."
fi
wait $linux_pid || failed+=("cmake --preset linux")
wait $asan_pid || failed+=("cmake --preset linux-asan")
stop_if_failed
say "configured"

build linux --target vesk-lights vesk_install_data &&
  background linux ctest --preset linux -L 'e2e|package' -j "$test_jobs"
if [ $windows = yes ]; then
  build windows && background windows ctest --preset windows
fi
build linux-asan && step ctest --preset linux-asan -j "$test_jobs"
finish
stop_if_failed
say "make check passed."
