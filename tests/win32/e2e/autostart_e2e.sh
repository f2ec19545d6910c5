#!/usr/bin/env bash
# "Start at login" through the right-click menu under Wine: the item's access key writes the
# Run value with the exe's quoted path, and a second time removes it.
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
run_value() { wine reg query "$run" /v VESK-LIGHTS 2>/dev/null | tr -d '\r' | sed -n 's/^ *VESK-LIGHTS *REG_SZ *//p'; }
ticked() { [ -n "$(run_value)" ]; }
unticked() { [ -z "$(run_value)" ]; }
wait_until() { for _ in $(seq 50); do "$@" && return 0; sleep 0.2; done; return 1; }

# Right-clicks the background below the lights, then the item's key. Wine can miss a click
# while its idea of the window's place lags, so it tries again while nothing happened.
pick_start_at_login() {
  for _ in 1 2 3; do
    eval "$(xdotool getwindowgeometry --shell "$main")"
    xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT - 15)) click 3 sleep 1 key l
    wait_until "$1" && return 0
    xdotool key Escape
  done
  return 1
}

cleanup
# 300 x 100 px at 96 DPI: room for background below the lights.
for setting in MainLeft=1500 MainTop=1200 MainWidth=4500 MainHeight=1500; do
  wine reg add "$app" /v "${setting%=*}" /t REG_SZ /d "${setting#*=}" /f >/dev/null 2>&1
done
wine "$exe" </dev/null >/dev/null 2>&1 &
pid=$!
wait_until xdotool search --onlyvisible --name '^VESK-LIGHTS$' >/dev/null || fail "no window"
main=$(xdotool search --onlyvisible --name '^VESK-LIGHTS$' | head -1)
sleep 1.5 # let Wine's idea of the window's place settle

pick_start_at_login ticked || fail "ticking Start at login wrote no Run value"
want="\"$(winepath -w "$exe" | tr -d '\r')\""
[ "$(run_value)" = "$want" ] || fail "the Run value is '$(run_value)', not '$want'"
pick_start_at_login unticked || fail "unticking Start at login left the Run value"
echo "-- the Run value was $want, and is gone"
