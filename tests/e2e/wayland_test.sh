#!/usr/bin/env bash
# As in a Wayland session with Xwayland (Xvfb stands in for it): the lights follow the keyboards'
# LEDs, not X's own lock state; a double-click on a light presses nothing; without any readable
# LED the lights are grey; "O-S-K" prefers a keyboard made for Wayland.
. "$(dirname "$0")/lib.sh"
mkdir -p "$E2E_TMP/bin"
for osk in onboard squeekboard; do
  printf '#!/bin/sh\necho %s $$ > "%s"\nexec sleep 20\n' $osk "$E2E_TMP/osk.started" >"$E2E_TMP/bin/$osk"
  chmod +x "$E2E_TMP/bin/$osk"
done
export PATH="$E2E_TMP/bin:$PATH"
LEDS="$E2E_TMP/leds"
GREY=C0C0C0
set_led() { mkdir -p "$LEDS/$1" && echo "$2" >"$LEDS/$1/brightness"; }
for lock in numlock capslock scrolllock; do set_led "input3::$lock" 0; done
set_led input4::capslock 0
export XDG_SESSION_TYPE=wayland WAYLAND_DISPLAY=vesk-e2e-no-compositor VESK_LEDS_DIR="$LEDS"
e2e_start "$1"
start_app

for key in num caps scroll; do wait_for 2 "the $key light is not red at start" light_is row $key $RED; done
# Xwayland's own Caps Lock means nothing to the compositor: the light keeps to the LEDs.
xdotool key Caps_Lock
sleep 0.5
light_is row caps $RED || fail "the Caps light followed X's lock state rather than the LEDs"
xdotool key Caps_Lock
set_led input4::capslock 1
wait_for 2 "the Caps light did not follow the second keyboard's LED" light_is row caps $GREEN
set_led input3::numlock 1
wait_for 2 "the Num light did not follow its LED" light_is row num $GREEN
light_is row scroll $RED || fail "the Scroll light changed with the other LEDs"

# A double-click sends no press, which would reach Xwayland only; the program says why.
double_click "$MAIN" 1507 307
sleep 0.5
led "Caps Lock" off || fail "a double-click on the Caps light pressed Caps Lock"
windows_shown 1 || fail "a double-click on a light opened another window"
grep -q "does not let programs flip lock keys" "$E2E_TMP/app.err" || fail "the refused press was not reported"

click "$MAIN" 3307 307
wait_for 3 "O-S-K started no keyboard" test -s "$E2E_TMP/osk.started"
read -r osk pid <"$E2E_TMP/osk.started"
E2E_PIDS+=("$pid")
[ "$osk" = squeekboard ] || fail "O-S-K started $osk rather than the Wayland keyboard"

# Every keyboard taken away: no light can be known, none may claim "off".
rm -rf "${LEDS:?}"/*
for key in num caps scroll; do wait_for 8 "the $key light did not turn grey" light_is row $key $GREY; done
[ "$(grep -c 'shows grey' "$E2E_TMP/app.err")" -eq 1 ] || fail "the grey lights were not reported once"
close_app
note "passed"
