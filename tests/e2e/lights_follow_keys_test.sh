#!/usr/bin/env bash
# The lights follow the lock keys as other programs and the keyboard change them; a key held
# down counts as on.
. "$(dirname "$0")/lib.sh"
e2e_start "$1"
start_app

for key in num caps scroll; do
  wait_for 2 "the $key light is not red at start" light_is row_light $key $RED
done

xdotool key Caps_Lock
wait_for 2 "the Caps light did not turn green" light_is row_light caps $GREEN
light_is row_light num $RED || fail "the Num light changed with Caps Lock"

xdotool key Num_Lock
wait_for 2 "the Num light did not turn green" light_is row_light num $GREEN

# Scroll Lock's own indicator, which no modifier drives.
xset led named "Scroll Lock"
wait_for 2 "the Scroll light did not follow its indicator" light_is row_light scroll $GREEN
xset -led named "Scroll Lock"
wait_for 2 "the Scroll light did not go red again" light_is row_light scroll $RED

# The press that switches Caps Lock off, held: green until the release.
xdotool keydown Caps_Lock
sleep 0.5
light_is row_light caps $GREEN || fail "the Caps light went red while Caps Lock was held"
xdotool keyup Caps_Lock
wait_for 2 "the Caps light stayed green after the release" light_is row_light caps $RED
led_off "Caps Lock" || fail "Caps Lock is still on after press and release"

# Scroll Lock locks nothing here: only the held key can show.
xdotool keydown Scroll_Lock
wait_for 2 "the Scroll light is not green while the key is held" light_is row_light scroll $GREEN
led_off "Scroll Lock" || fail "holding Scroll Lock lit its LED"
xdotool keyup Scroll_Lock
wait_for 2 "the Scroll light stayed green after the release" light_is row_light scroll $RED
note "passed"
