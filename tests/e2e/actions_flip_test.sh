#!/usr/bin/env bash
# A double-click on a light flips its lock key, and only that: no dialog opens.
. "$(dirname "$0")/lib.sh"
e2e_start "$1"
start_app

# The middle of each row light.
declare -A at=([caps]="1507 307" [num]="547 307" [scroll]="2467 307")
declare -A led=([caps]="Caps Lock" [num]="Num Lock" [scroll]="Scroll Lock")
for key in caps num scroll; do
  double_click "$MAIN" ${at[$key]}
  wait_for 2 "a double-click on the $key light did not switch ${led[$key]} on" led_on "${led[$key]}"
  wait_for 2 "the $key light did not turn green" light_is row_light $key $GREEN
  sleep 0.6  # apart from the next double-click
done
[ "$(window_count)" -eq 1 ] || fail "a double-click on a light opened another window"

double_click "$MAIN" ${at[caps]}
wait_for 2 "a second double-click did not switch Caps Lock off" led_off "Caps Lock"
if ! led_on "Num Lock" || ! led_on "Scroll Lock"; then
  fail "flipping Caps Lock changed another lock"
fi
note "passed"
