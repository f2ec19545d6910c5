#!/usr/bin/env bash
# Screenshots of the program on a private Xvfb with openbox:
#   <outdir>/row.png      the indicator with its row of lights
#   <outdir>/upright.png  the upright strip, with Caps Lock on
#   <outdir>/dialog.png   the settings dialog open over the indicator
#   <outdir>/tray.png     the icon in an XEmbed tray (trayer), Caps Lock on, enlarged 4 times
#   <outdir>/notice.png   the notice after a press of Caps Lock
# Usage: demo.sh <exe> <outdir>
[ $# -eq 2 ] || { echo "usage: $0 <exe> <outdir>" >&2; exit 2; }
# It borrows the end-to-end runs' display and window helpers.
. "$(dirname "$0")/../tests/e2e/lib.sh"
OUT=$2
mkdir -p "$OUT"
e2e_start "$1"

# The window with its frame, as the screen shows it.
shoot() {
  import -window root -crop "$(outer_rect "$1" | awk '{print $3 "x" $4 "+" $1 "+" $2}')" +repage "$2"
  note "wrote $2"
}

# The indicator with KEY's light (LAYOUT LIGHT) lit, under the extra settings; the key is
# pressed again afterwards.   shoot_lit KEY LAYOUT LIGHT NAME [K=V...]
shoot_lit() {
  local key=$1 layout=$2 light=$3 name=$4
  shift 4
  write_ini MainLeft=1500 MainTop=1500 "$@"
  start_app
  xdotool key "$key"
  wait_for 2 "the $layout $light light did not turn green" light_is "$layout" "$light" $GREEN
  shoot "$MAIN" "$OUT/$name.png"
  close_app
  xdotool key "$key"
}
shoot_lit Num_Lock row num row
shoot_lit Caps_Lock upright caps upright MainHeight=1650 VERT_LIGHTS_TICKBOX=1

write_ini MainLeft=1500 MainTop=1500 AboutMainLeft=2400 AboutMainTop=2400
start_app
double_click "$MAIN" 45 45
wait_for 3 "the settings dialog did not open" windows_shown 2
DIALOG=$(second_window)
sleep 0.5
shoot "$DIALOG" "$OUT/dialog.png"
wmctrl -i -c "$DIALOG"
wait_for 3 "the settings dialog did not close" windows_shown 1
close_app

# No session bus, so Qt docks its icon in trayer.
export DBUS_SESSION_BUS_ADDRESS="unix:path=$E2E_TMP/no-bus"
start_tray
write_ini MainLeft=1500 MainTop=1500 TRAY_ICON=1 NOTICE_ON_CHANGE=1
start_app
wait_for 10 "no icon docked in the tray" tray_has_icon
xdotool key Caps_Lock
notice() { NOTICE=$(xdotool search --onlyvisible --name '^CAPS LOCK ON$' 2>/dev/null | head -1); [ -n "$NOTICE" ]; }
wait_for 3 "no notice after Caps Lock was pressed" notice
import -window root -crop "$(rect "$NOTICE" | awk '{print $3 "x" $4 "+" $1 "+" $2}')" +repage "$OUT/notice.png"
note "wrote $OUT/notice.png"
wait_for 2 "the icon did not follow Caps Lock" tray_caps_is $GREEN
import -window root -crop "$(rect "$TRAY" | awk '{print $3 "x" $4 "+" $1 "+" $2}')" +repage \
  -filter point -resize 400% "$OUT/tray.png"
note "wrote $OUT/tray.png"
close_app
xdotool key Caps_Lock
