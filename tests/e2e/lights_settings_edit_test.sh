#!/usr/bin/env bash
# A hand edit of the settings file reaches the running indicator at its next tick: the upright
# strip replaces the row and a hidden light leaves an empty place.
. "$(dirname "$0")/lib.sh"
e2e_start "$1"

row_with_caps() { light_is row_light scroll $RED && light_is row_light caps $RED; }
write_ini MainHeight=2400
start_app
wait_for 2 "the row with the Caps light is not shown" row_with_caps

upright_without_caps() {
  light_is upright_light num $RED && light_is upright_light scroll $RED &&
    light_hidden upright_light caps && light_hidden row_light scroll
}
write_ini MainHeight=2400 VERT_LIGHTS_TICKBOX=1 SHOW_CAPS_TICKBOX=0
if ! within 2 upright_without_caps; then
  light_is upright_light num $RED || fail "the upright Num light did not appear"
  light_is upright_light scroll $RED || fail "the upright Scroll light did not appear"
  light_hidden upright_light caps || fail "the Caps light is shown though SHOW_CAPS_TICKBOX=0"
  fail "the row is still shown with VERT_LIGHTS_TICKBOX=1"
fi

xdotool key Num_Lock
wait_for 2 "the upright Num light did not follow Num Lock" light_is upright_light num $GREEN

write_ini MainHeight=2400 VERT_LIGHTS_TICKBOX=0
wait_for 2 "the row with the Caps light did not come back" row_with_caps
note "passed"
