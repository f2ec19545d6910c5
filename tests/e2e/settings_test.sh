#!/usr/bin/env bash
# The indicator starts at its stored outer place and size, stores the place the window manager
# closed it at and comes back there, goes on past a stored value that is not a number, and
# follows hand edits of its settings file while it runs.
. "$(dirname "$0")/lib.sh"
e2e_start "$1"

# 15 twips a pixel: 100,80 300x100.
write_ini MainLeft=1500 MainTop=1200 MainWidth=4500 MainHeight=1500
start_app
rect=$(outer_rect "$MAIN")
[ "$rect" = "100 80 300 100" ] || fail "outer rectangle is '$rect', stored '100 80 300 100'"
xdotool windowsize "$MAIN" 331 97
xdotool windowmove "$MAIN" 213 171
sleep 0.5
before=$(outer_rect "$MAIN")
close_app
expect_stored_rect Main "$before"
start_app
after=$(outer_rect "$MAIN")
[ "$after" = "$before" ] || fail "restored '$after', closed at '$before'"
close_app

write_ini MainLeft=abc MainTop=1500 MainWidth=4500 MainHeight=2400
start_app
sleep 1
! app_ended || fail "the program ended on MainLeft=abc"
grep -q MainLeft "$E2E_TMP/app.err" || fail "nothing on stderr names MainLeft"

# A hand edit reaches the running indicator at its next tick: the upright strip replaces the row
# and a hidden light leaves an empty place.
row_with_caps() { light_is row scroll $RED && light_is row caps $RED; }
wait_for 2 "the row with the Caps light is not shown" row_with_caps
write_ini VERT_LIGHTS_TICKBOX=1 SHOW_CAPS_TICKBOX=0
wait_for 2 "the row is still shown with VERT_LIGHTS_TICKBOX=1" light_hidden row scroll
light_is upright num $RED || fail "the upright Num light did not appear"
light_is upright scroll $RED || fail "the upright Scroll light did not appear"
light_hidden upright caps || fail "the Caps light is shown though SHOW_CAPS_TICKBOX=0"
xdotool key Num_Lock
wait_for 2 "the upright Num light did not follow Num Lock" light_is upright num $GREEN
write_ini VERT_LIGHTS_TICKBOX=0
wait_for 2 "the row with the Caps light did not come back" row_with_caps
note "passed"
