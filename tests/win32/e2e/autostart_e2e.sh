#!/usr/bin/env bash
# "Start at login" through the right-click menu under Wine: the item's access key writes the
# Run value with the exe's quoted path, a second time removes it, and "Quit" ends the program
# as the close button does, storing the window's place.
#   usage: autostart_e2e.sh EXE        (needs WINEPREFIX and DISPLAY)
set -euo pipefail
exe=$1
: "${WINEPREFIX:?}" "${DISPLAY:?}"
export WINEDEBUG=-all

run='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'
app='HKCU\Software\VB and VBA Program Settings\TARNWICK-VESK-LIGHTS\Settings'
pid=

fail() { echo "FAIL: $*" >&2; exit 1; }
cleanup() {
  if [ -n "$pid" ]; then kill "$pid" 2>/dev/null || true; fi
  wine reg delete "$run" /v VESK-LIGHTS /f >/dev/null 2>&1 || true
}
trap cleanup EXIT
reg_get() { wine reg query "$1" /v "$2" 2>/dev/null | tr -d '\r' | sed -n "s/^ *$2 *REG_SZ *//p"; }
wait_until() { for _ in $(seq 50); do "$@" && return 0; sleep 0.2; done; return 1; }
running() { kill -0 "$pid" 2>/dev/null; }
ended() { ! running; }

# Right-clicks the background below the lights and picks an item by its key. Wine can miss a
# click while its idea of the window's place lags, so try again while nothing happened.
pick() {
  local key=$1 done_when=$2
  for _ in 1 2 3; do
    eval "$(xdotool getwindowgeometry --shell "$main")"
    xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT - 15)) click 3
    sleep 1
    xdotool key "$key"
    wait_until "$done_when" && return 0
    xdotool key Escape
  done
  return 1
}
run_value() { [ -n "$(reg_get "$run" VESK-LIGHTS)" ]; }
no_run_value() { ! run_value; }

cleanup
wine reg delete "$app" /f >/dev/null 2>&1 || true
# 100, 80 px, 300 x 100 px at 96 DPI: room for background below the lights.
for setting in MainLeft=1500 MainTop=1200 MainWidth=4500 MainHeight=1500; do
  wine reg add "$app" /v "${setting%=*}" /t REG_SZ /d "${setting#*=}" /f >/dev/null 2>&1
done
wine "$exe" </dev/null >/dev/null 2>&1 &
pid=$!
wait_until xdotool search --onlyvisible --name '^VESK-LIGHTS$' >/dev/null || fail "no window"
main=$(xdotool search --onlyvisible --name '^VESK-LIGHTS$' | head -1)
sleep 1.5  # let Wine's idea of the window's place settle

pick l run_value || fail "ticking Start at login wrote no Run value"
want="\"$(winepath -w "$exe" | tr -d '\r')\""
got=$(reg_get "$run" VESK-LIGHTS)
[ "${got,,}" = "${want,,}" ] || fail "the Run value is '$got', not '$want'"
echo "-- ticked: $got"
pick l no_run_value || fail "unticking Start at login left the Run value"
echo "-- unticked: the Run value is gone"

xdotool windowmove "$main" 200 150
sleep 1
pick q ended || fail "Quit did not end the program"
wait "$pid" || fail "the program ended with status $?"
pid=
[ "$(reg_get "$app" MainLeft)" = 3000 ] || fail "Quit stored MainLeft=$(reg_get "$app" MainLeft), not 3000"
echo "-- Quit ended the program and stored its place"
