#!/usr/bin/env bash
# A double-click on the background opens the settings dialog; a box ticked there reaches the
# indicator while the dialog is open; the dialog's place and size persist across openings.
. "$(dirname "$0")/lib.sh"
e2e_start "$1"
# Out of the way of the dialog's default place, so that the screen shows both.
write_ini MainLeft=9000 MainTop=9000
start_app

dialog_window() { visible_windows | grep -vx "$MAIN" | head -1; }

# The background above the Num light.
double_click "$MAIN" 45 45
wait_for 3 "no dialog opened on a double-click on the background" windows_shown 2
DIALOG=$(dialog_window)
read -r left top width height <<<"$(outer_rect "$DIALOG")"
# Default place 1000,1000 twips (66.7 px), size 5835 x 4530 twips (389 x 302 px).
if [ "$left" -lt 66 ] || [ "$left" -gt 67 ] || [ "$top" -lt 66 ] || [ "$top" -gt 67 ] ||
  [ "$width" -ne 389 ] || [ "$height" -ne 302 ]; then
  fail "dialog at '$left $top $width $height', expected the default 67 67 389 302"
fi

# "Use Vertical Lights": its box at the left of 1680,3600 1695x375.
click "$DIALOG" 1770 3787
wait_for 2 "VERT_LIGHTS_TICKBOX was not stored" stored_is VERT_LIGHTS_TICKBOX 1
upright_only() { light_is upright_light num $RED && light_hidden row_light scroll; }
wait_for 2 "the indicator did not switch to the upright strip with the dialog open" upright_only
[ "$(window_count)" -eq 2 ] || fail "the dialog closed"

# Move it, then "OK" (3960,3240 1455x495).
xdotool windowmove "$DIALOG" 301 257
sleep 0.5
moved=$(outer_rect "$DIALOG")
click "$DIALOG" 4687 3487
wait_for 3 "OK did not close the dialog" windows_shown 1
read -r left top width height <<<"$moved"
for pair in "AboutMainLeft $left" "AboutMainTop $top" "AboutMainWidth $width" "AboutMainHeight $height"; do
  set -- $pair
  stored=$(ini_value "$1")
  [ "$stored" = "$(($2 * 15))" ] || fail "$1 stored '$stored', the dialog had $(($2 * 15)) twips"
done

# Open it again, on the empty place of the hidden Scroll light.
double_click "$MAIN" 2467 307
wait_for 3 "the dialog did not open a second time" windows_shown 2
DIALOG=$(dialog_window)
again=$(outer_rect "$DIALOG")
[ "$again" = "$moved" ] || fail "the dialog reopened at '$again', closed at '$moved'"
note "passed"
