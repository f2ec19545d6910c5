#!/usr/bin/env bash
# The lights follow the lock keys as other programs and the keyboard change them, a key held down
# counts as on, a double-click on a light flips its key, and "O-S-K" starts the keyboard.
. "$(dirname "$0")/lib.sh"
# A stand-in on-screen keyboard, first on PATH.
mkdir -p "$E2E_TMP/bin"
printf '#!/bin/sh\necho $$ > "%s"\nexec sleep 20\n' "$E2E_TMP/onboard.pid" >"$E2E_TMP/bin/onboard"
chmod +x "$E2E_TMP/bin/onboard"
export PATH="$E2E_TMP/bin:$PATH"
e2e_start "$1"
start_app

for key in num caps scroll; do wait_for 2 "the $key light is not red at start" light_is row $key $RED; done
xdotool key Caps_Lock
wait_for 2 "the Caps light did not turn green" light_is row caps $GREEN
light_is row num $RED || fail "the Num light changed with Caps Lock"
xdotool key Num_Lock
wait_for 2 "the Num light did not turn green" light_is row num $GREEN

# The press that switches Caps Lock off, held: green until the release.
xdotool keydown Caps_Lock
sleep 0.5
light_is row caps $GREEN || fail "the Caps light went red while Caps Lock was held"
xdotool keyup Caps_Lock
wait_for 2 "the Caps light stayed green after the release" light_is row caps $RED
xdotool key Num_Lock
wait_for 2 "the Num light did not go red again" light_is row num $RED

# A double-click on the middle of a light flips its lock key; no dialog opens.
declare -A at=([caps]="1507 307" [num]="547 307" [scroll]="2467 307")
declare -A name=([caps]="Caps Lock" [num]="Num Lock" [scroll]="Scroll Lock")
for key in caps num scroll; do
  double_click "$MAIN" ${at[$key]}
  wait_for 2 "a double-click on the $key light did not switch ${name[$key]} on" led "${name[$key]}" on
  wait_for 2 "the $key light did not turn green after its double-click" light_is row $key $GREEN
  sleep 0.6  # apart from the next double-click
done
windows_shown 1 || fail "a double-click on a light opened another window"

# "O-S-K", the button at 3000,120 615x375.
click "$MAIN" 3307 307
wait_for 3 "O-S-K did not start onboard" test -s "$E2E_TMP/onboard.pid"
E2E_PIDS+=("$(cat "$E2E_TMP/onboard.pid")")
note "passed"
