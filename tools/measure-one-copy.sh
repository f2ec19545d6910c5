#!/usr/bin/env bash
# Figures for "one copy per desktop session", each printed as it is seen:
#   measure-one-copy.sh linux [EXE] [ROUNDS]   on a private Xvfb with openbox and trayer:
#     - the time from a second start to the first copy's hidden window being shown (10 times);
#     - ROUNDS (20) rounds of five starts at the same moment: how many copies were left;
#     - a start after the running copy was killed with kill -9: the time to its window, beside
#       a start with nothing left behind (5 times each).
#   measure-one-copy.sh wine [SETUP_EXE]       in a fresh Wine prefix on a private Xvfb:
#     the installer run silently over a running copy, and the uninstaller after it.
# Defaults: build/linux/vesk-lights, build/windows/packages/VESK-LIGHTS-*-setup.exe.
set -uo pipefail
cd "$(dirname "$0")/.."
what=${1:-linux}
. tests/e2e/lib.sh
set +e
ms() { date +%s%3N; }
shown() { [ "$(visible_windows | grep -c .)" = "$1" ]; }
# Polls every 5 ms (wait_for polls every 100 ms): milliseconds until the command succeeds.
time_until() {
  local start=$1
  shift
  for _ in $(seq 2000); do "$@" && { echo $(($(ms) - start)); return 0; }; sleep 0.005; done
  echo "never"
}

measure_linux() {
  local exe=${1:-build/linux/vesk-lights} rounds=${2:-20}
  e2e_start "$exe"
  export DBUS_SESSION_BUS_ADDRESS="unix:path=$E2E_TMP/no-bus"  # the tray through XEmbed
  start_tray
  write_ini TRAY_ICON=1 LIGHTS_WINDOW_HIDDEN=1
  "$exe" 2>/dev/null &
  local first=$!
  wait_for 10 "the icon did not dock" tray_has_icon
  sleep 1
  local times=()
  for i in $(seq 10); do
    write_ini TRAY_ICON=1 LIGHTS_WINDOW_HIDDEN=1
    wait_for 5 "the window did not hide" shown 0
    sleep 0.3
    local start
    start=$(ms)
    "$exe" 2>/dev/null
    local status=$?
    times+=("$(time_until "$start" shown 1)")
    note "second start $i: it ended with status $status, the first copy's window showed after ${times[-1]} ms"
  done
  note "second start to the window shown, ms: ${times[*]}"
  kill "$first" && wait "$first"

  write_ini
  local left=()
  for round in $(seq "$rounds"); do
    local pids=()
    for _ in 1 2 3 4 5; do "$exe" 2>/dev/null & pids+=($!); done
    wait_for 20 "round $round: no window" shown 1
    sleep 2  # time for any loser to end
    local n=0 pid survivor=""
    for pid in "${pids[@]}"; do kill -0 "$pid" 2>/dev/null && n=$((n + 1)) && survivor=$pid; done
    left+=("$n")
    note "round $round: five starts at once left $n copy(ies) running, $(visible_windows | grep -c .) window(s)"
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null; done
    wait "${pids[@]}" 2>/dev/null
    wait_for 10 "round $round: a window stayed" shown 0
  done
  note "copies left in each of $rounds rounds: ${left[*]}"

  local start plain=() killed=() copy
  for i in 1 2 3 4 5; do
    start=$(ms)
    "$exe" 2>/dev/null &
    copy=$!
    plain+=("$(time_until "$start" shown 1)")
    sleep 0.5
    kill -9 "$copy"
    wait "$copy" 2>/dev/null
    wait_for 5 "the killed copy's window stayed" shown 0
    start=$(ms)
    "$exe" 2>/dev/null &
    copy=$!
    killed+=("$(time_until "$start" shown 1)")
    "$exe" 2>/dev/null
    note "after kill -9 $i: a second start ended with status $? and $(visible_windows | grep -c .) window(s) show"
    kill "$copy" && wait "$copy"
    wait_for 5 "a window stayed" shown 0
  done
  note "a start with nothing behind it showed its window after ${plain[*]} ms"
  note "a start after kill -9 of the running copy showed its window after ${killed[*]} ms"
}

measure_wine() {
  local setup=${1:-$(ls build/windows/packages/VESK-LIGHTS-*-setup.exe 2>/dev/null | head -1)}
  [ -f "$setup" ] || fail "no installer: run make package first"
  e2e_start build/windows/VESK-LIGHTS.exe
  export WINEPREFIX="$E2E_TMP/prefix" WINEDEBUG=-all
  WINEDLLOVERRIDES="mscoree,mshtml=" wineboot -i >/dev/null 2>&1
  wineserver -p 30
  local key='HKCU\Software\VB and VBA Program Settings\TARNWICK-VESK-LIGHTS\Settings' start
  wine "$setup" /S
  note "a first install ended with status $?"
  local exe
  exe=$(winepath -u "$(wine cmd /c echo '%LOCALAPPDATA%\Programs\VESK-LIGHTS\VESK-LIGHTS.exe' 2>/dev/null | tr -d '\r')" 2>/dev/null)
  wine "$exe" </dev/null &>/dev/null &
  wait_for 20 "the installed program did not start" shown 1
  note "the installed copy runs; MainLeft is '$(wine reg query "$key" /v MainLeft 2>/dev/null | tr -d '\r' | awk '$1 == "MainLeft" {print $3}')'"
  start=$(ms)
  wine "$setup" /S
  note "the install over it ended with status $? after $(($(ms) - start)) ms; MainLeft is now '$(wine reg query "$key" /v MainLeft 2>/dev/null | tr -d '\r' | awk '$1 == "MainLeft" {print $3}')'"
  note "the new copy's window showed $(time_until "$start" shown 1) ms after the install started"
  start=$(ms)
  wine "$(dirname "$exe")/uninstall.exe" /S
  wait_for 30 "the uninstall did not finish" test ! -e "$exe"
  sleep 1
  note "the uninstall took $(($(ms) - start)) ms; $(visible_windows | grep -c .) window(s) show afterwards"
  wineserver -k
}

case $what in
  linux) measure_linux "${@:2}" ;;
  wine) measure_wine "${@:2}" ;;
  *) echo "usage: $0 linux [EXE] [ROUNDS] | wine [SETUP_EXE]" >&2 && exit 2 ;;
esac
