#!/usr/bin/env bash
# Screenshots of the program on a private Xvfb with openbox:
#   <outdir>/row.png      the indicator with its row of lights
#   <outdir>/upright.png  the upright strip, with Caps Lock on
#   <outdir>/dialog.png   the settings dialog open over the indicator
# Usage: demo.sh <exe> <outdir>
[ $# -eq 2 ] || { echo "usage: $0 <exe> <outdir>" >&2; exit 2; }
. "$(dirname "$0")/lib.sh"
OUT=$2
mkdir -p "$OUT"
e2e_start "$1"

# The window with its frame, as the screen shows it.
shoot() {
  import -window root -crop "$(outer_rect "$1" | awk '{print $3 "x" $4 "+" $1 "+" $2}')" +repage "$2"
  note "wrote $2"
}

write_ini MainLeft=1500 MainTop=1500
start_app
xdotool key Num_Lock
wait_for 2 "the Num light did not turn green" light_is row num $GREEN
shoot "$MAIN" "$OUT/row.png"
close_app
xdotool key Num_Lock

write_ini MainLeft=1500 MainTop=1500 MainHeight=1650 VERT_LIGHTS_TICKBOX=1
start_app
xdotool key Caps_Lock
wait_for 2 "the upright Caps light did not turn green" light_is upright caps $GREEN
shoot "$MAIN" "$OUT/upright.png"
close_app
xdotool key Caps_Lock

write_ini MainLeft=1500 MainTop=1500 AboutMainLeft=2400 AboutMainTop=2400
start_app
double_click "$MAIN" 45 45
wait_for 3 "the settings dialog did not open" windows_shown 2
DIALOG=$(second_window)
sleep 0.5
shoot "$DIALOG" "$OUT/dialog.png"
