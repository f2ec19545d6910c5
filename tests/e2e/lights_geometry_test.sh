#!/usr/bin/env bash
# Closing through the window manager stores the outer rectangle, and the next start restores
# exactly that rectangle.
. "$(dirname "$0")/lib.sh"
e2e_start "$1"
start_app

xdotool windowsize "$MAIN" 331 97
xdotool windowmove "$MAIN" 213 171
sleep 0.5
before=$(outer_rect "$MAIN")
close_app

read -r left top width height <<<"$before"
for pair in "MainLeft $left" "MainTop $top" "MainWidth $width" "MainHeight $height"; do
  set -- $pair
  stored=$(ini_value "$1")
  [ "$stored" = "$(($2 * 15))" ] || fail "$1 stored '$stored', the window had $(($2 * 15)) twips"
done

start_app
after=$(outer_rect "$MAIN")
[ "$after" = "$before" ] || fail "restored '$after', closed at '$before'"
note "passed"
