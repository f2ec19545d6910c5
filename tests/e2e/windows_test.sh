#!/usr/bin/env bash
# "Always On Top" takes keep-above from another program's active window; a double-click on the
# background opens the settings dialog, whose boxes reach the indicator while it is open and
# whose place and size persist across openings.
. "$(dirname "$0")/lib.sh"
e2e_start "$1"

write_ini ALWAYS_ON_TOP_TICKBOX=1
start_app
xlogo -geometry 200x200+400+300 >/dev/null 2>&1 &
E2E_PIDS+=($!)
wait_for 5 "xlogo did not appear" sh -c 'xdotool search --onlyvisible --classname xlogo >/dev/null'
LOGO=$(xdotool search --onlyvisible --classname xlogo | head -1)
wmctrl -r xlogo -b add,above
xdotool windowactivate --sync "$LOGO"
wait_for 3 "the keeper did not take keep-above from the active xlogo" not_above "$LOGO"
wait_for 2 "the keeper did not keep the indicator above" above "$MAIN"
close_app
kill "${E2E_PIDS[-1]}"

# Out of the way of the dialog's default place, so that the screen shows both.
write_ini MainLeft=9000 MainTop=9000
start_app
# The background above the Num light.
double_click "$MAIN" 45 45
wait_for 3 "no dialog opened on a double-click on the background" windows_shown 2
DIALOG=$(second_window)

# "Use Vertical Lights": its box at the left of 1680,3600 1695x375.
click "$DIALOG" 1770 3787
wait_for 2 "VERT_LIGHTS_TICKBOX was not stored" grep -qx VERT_LIGHTS_TICKBOX=1 "$INI"
upright() { light_is upright num $RED && light_hidden row scroll; }
wait_for 2 "the indicator did not switch to the upright strip with the dialog open" upright
windows_shown 2 || fail "the dialog closed"

# Move it, then "OK" (3960,3240 1455x495); the next opening, on the empty place of the hidden
# Scroll light, comes back there.
xdotool windowmove "$DIALOG" 301 257
sleep 0.5
moved=$(outer_rect "$DIALOG")
click "$DIALOG" 4687 3487
wait_for 3 "OK did not close the dialog" windows_shown 1
expect_stored_rect AboutMain "$moved"
double_click "$MAIN" 2467 307
wait_for 3 "the dialog did not open a second time" windows_shown 2
again=$(outer_rect "$(second_window)")
[ "$again" = "$moved" ] || fail "the dialog reopened at '$again', closed at '$moved'"
note "passed"
