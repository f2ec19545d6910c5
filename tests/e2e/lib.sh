# Shared by the black-box runs of the program: a private X display with a window manager, a
# private settings directory, and ways to look at the windows from outside.
# Source it, then call `e2e_start "$exe"`; everything started here ends when the script exits.

set -euo pipefail

E2E_TMP=$(mktemp -d -t vesk-e2e.XXXXXX)
E2E_PIDS=()
E2E_APP_PID=""
E2E_NAME=$(basename "$0" .sh)
export XDG_CONFIG_HOME="$E2E_TMP/config"
INI="$XDG_CONFIG_HOME/TARNWICK-VESK-LIGHTS/settings.ini"
mkdir -p "$(dirname "$INI")"
GREEN=00FF00
RED=FF0000

e2e_cleanup() {
  for pid in "$E2E_APP_PID" "${E2E_PIDS[@]}"; do [ -z "$pid" ] || kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$E2E_TMP"
}
trap e2e_cleanup EXIT

fail() {
  echo "$E2E_NAME: FAILED: $*" >&2
  if [ -s "$E2E_TMP/app.err" ]; then echo "--- the program's stderr:" >&2 && cat "$E2E_TMP/app.err" >&2; fi
  exit 1
}
note() { echo "$E2E_NAME: $*"; }

# Polls a command until it succeeds, failing with `what` after `timeout` seconds. The command is
# run afresh each time, so pass a function, not an expanded value.
wait_for() {
  local end=$((SECONDS + $1)) what=$2
  shift 2
  until "$@"; do
    [ "$SECONDS" -lt "$end" ] || fail "$what"
    sleep 0.1
  done
}

# Xvfb on a display it picks itself (-noreset keeps the keymap and the lock state between
# clients, at 96 DPI so that a pixel is 15 twips), then openbox, ready once its --startup runs.
e2e_start() {
  E2E_EXE=$1
  [ -x "$E2E_EXE" ] || fail "no program at $E2E_EXE"
  Xvfb -displayfd 3 -noreset -nolisten tcp -dpi 96 -screen 0 1280x1024x24 3>"$E2E_TMP/display" 2>/dev/null &
  E2E_PIDS+=($!)
  wait_for 10 "Xvfb did not start" grep -qs . "$E2E_TMP/display"
  export DISPLAY=":$(head -1 "$E2E_TMP/display")"
  openbox --sm-disable --startup "touch $E2E_TMP/openbox-ready" >/dev/null 2>&1 &
  E2E_PIDS+=($!)
  wait_for 10 "openbox did not start" test -e "$E2E_TMP/openbox-ready"
}

# Writes the whole settings file at once, as the program does: one Key=value argument a line.
write_ini() { printf '%s\n' "[Settings]" "$@" >"$INI.tmp" && mv "$INI.tmp" "$INI"; }
ini_value() { sed -n "s/^$1=//p" "$INI" | tr -d '"'; }

visible_windows() { xdotool search --onlyvisible --name '^VESK-LIGHTS$' 2>/dev/null || true; }
windows_shown() { [ "$(visible_windows | grep -c .)" -eq "$1" ]; }
second_window() { visible_windows | grep -vx "$MAIN" | head -1; }

# Starts the program and waits for its window, MAIN, and its first tick (100 ms after the load).
start_app() {
  "$E2E_EXE" >/dev/null 2>"$E2E_TMP/app.err" &
  E2E_APP_PID=$!
  wait_for 10 "the indicator window did not appear" windows_shown 1
  MAIN=$(visible_windows | head -1)
  sleep 0.3
}
app_ended() { ! kill -0 "$E2E_APP_PID" 2>/dev/null; }

# Closes the indicator window through the window manager, as its close button does.
close_app() {
  wmctrl -i -c "$MAIN"
  wait_for 10 "the program did not end after its window was closed" app_ended
  wait "$E2E_APP_PID" || fail "the program ended with status $? after its window was closed"
  E2E_APP_PID=""
}

# "left top width height" of a window in pixels: its client area, or with `outer` its frame.
rect() {
  local l=0 r=0 t=0 b=0
  [ "${2:-}" != outer ] || read -r l r t b <<<"$(xprop -id "$1" _NET_FRAME_EXTENTS | sed -n 's/.*= //p' | tr -d ,)"
  xwininfo -id "$1" | awk -v l="${l:-0}" -v r="${r:-0}" -v t="${t:-0}" -v b="${b:-0}" '
    /Absolute upper-left X/ {x=$NF} /Absolute upper-left Y/ {y=$NF} /^ *Width:/ {w=$NF} /^ *Height:/ {h=$NF}
    END {print x - l, y - t, w + l + r, h + t + b}'
}
outer_rect() { rect "$1" outer; }

# Fails unless <prefix>Left, Top, Width and Height hold the pixel rectangle $2, in twips.
expect_stored_rect() {
  local want got
  want=$(awk '{print $1 * 15, $2 * 15, $3 * 15, $4 * 15}' <<<"$2")
  got="$(ini_value "$1"Left) $(ini_value "$1"Top) $(ini_value "$1"Width) $(ini_value "$1"Height)"
  [ "$got" = "$want" ] || fail "$1 geometry stored as '$got', the window had '$want' twips"
}

# The colour (RRGGBB) of the screen pixel at client twips (x, y) of a window.
pixel() {
  local left top
  read -r left top _ <<<"$(rect "$1")"
  import -window root -crop "1x1+$((left + $2 / 15))+$((top + $3 / 15))" -depth 8 txt:- |
    sed -n 's/.*#\([0-9A-Fa-f]\{6\}\).*/\1/p'
}

# Where a light's colour shows, inside its border beside its caption: row lights 45 twips in
# from their left edge, upright lights 45 in from their right edge.
declare -A LIGHT=([row.num]="165 300" [row.caps]="1125 300" [row.scroll]="2085 300"
  [upright.num]="315 450" [upright.caps]="675 450" [upright.scroll]="1035 450")
light_is() { [ "$(pixel "$MAIN" ${LIGHT[$1.$2]})" = "$3" ]; }  # light_is row caps $GREEN
light_hidden() { local c; c=$(pixel "$MAIN" ${LIGHT[$1.$2]}); [ "$c" != $GREEN ] && [ "$c" != $RED ]; }

led() { xset q | grep -q "$1: *$2"; }  # led "Caps Lock" on
above() { xprop -id "$1" _NET_WM_STATE | grep -q _NET_WM_STATE_ABOVE; }
not_above() { ! above "$1"; }

# Clicks and double-clicks at client twips of a window.
at() { local l t; read -r l t _ <<<"$(rect "$1")" && echo $((l + $2 / 15)) $((t + $3 / 15)); }
click() { xdotool mousemove $(at "$@") click 1; }
double_click() { xdotool mousemove $(at "$@") click --repeat 2 --delay 60 1; }

# e2e_start on a desktop scaled to $2 dots per inch (96 is 100 %): the X server at that
# resolution and the Xft.dpi resource, from which Qt and openbox's fonts take the scale, set
# before openbox starts.
e2e_start_scaled() {
  E2E_EXE=$1
  Xvfb -displayfd 3 -noreset -nolisten tcp -dpi "$2" -screen 0 1280x1024x24 3>"$E2E_TMP/display" 2>/dev/null &
  E2E_PIDS+=($!)
  wait_for 10 "Xvfb did not start" grep -qs . "$E2E_TMP/display"
  export DISPLAY=":$(head -1 "$E2E_TMP/display")"
  echo "Xft.dpi: $2" | xrdb -nocpp -merge
  openbox --sm-disable --startup "touch $E2E_TMP/openbox-ready" >/dev/null 2>&1 &
  E2E_PIDS+=($!)
  wait_for 10 "openbox did not start" test -e "$E2E_TMP/openbox-ready"
}

# An XEmbed system tray (trayer) along the top right of the display, with Caps Lock off. Without
# a session bus Qt docks its tray icon here, as Wine does. TRAY is the panel that holds the icons.
tray_start() {
  export DBUS_SESSION_BUS_ADDRESS="unix:path=$E2E_TMP/no-bus"
  trayer --edge top --align right --widthtype request --height 24 --transparent false \
    --tint 0x404040 >/dev/null 2>&1 &
  E2E_PIDS+=($!)
  tray_panel() { TRAY=$(xwininfo -root -tree | awk '/"panel": \("panel" "trayer"\)/ && !n++ {print $1}'); [ -n "$TRAY" ]; }
  wait_for 10 "trayer did not start" tray_panel
  led "Caps Lock" off || xdotool key Caps_Lock
}
tray_icon() { xwininfo -tree -id "$TRAY" | awk '/^ +0x/ { for (i = 2; i <= NF; i++) if ($i ~ /^[0-9]+x[0-9]+[+-]/) {
    split($i, s, /[x+-]/); if (s[1] > 1 && s[2] > 1 && !n++) print $1 } }'; }
tray_has_icon() { [ -n "$(tray_icon)" ]; }
# Whether the icon's middle segment (Caps Lock) has the colour (RRGGBB): along the icon's
# middle row, the second lit run, wherever the host put the picture.
tray_caps_is() {
  local l t w h
  read -r l t w h <<<"$(rect "$(tray_icon)")"
  [ "$(import -window root -crop "${w}x1+$l+$((t + h / 2))" -depth 8 txt:- |
    sed -n 's/.*#\([0-9A-Fa-f]\{6\}\).*/\1/p' |
    sed '/^\(FF0000\|00FF00\)$/!s/.*/-/' | uniq | grep -v -- - | sed -n 2p)" = "$1" ]
}
# Right-clicks, then an item's access key once the menu is up.
right_click() { xdotool mousemove $(at "$@") click 3 sleep 1; }
icon_menu() {
  local l t w h
  read -r l t w h <<<"$(rect "$(tray_icon)")"
  xdotool mousemove $((l + w / 2)) $((t + h / 2)) click 3 sleep 1 key "$1"
}
key_press() { xdotool key "$1"; }
