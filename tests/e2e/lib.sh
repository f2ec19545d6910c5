# Shared by the black-box runs of the program: a private X display with a window manager, a
# private settings directory, and ways to look at the windows from outside.
# Source it, then call `e2e_start EXE [DPI]`; everything started here ends when the script exits.

set -euo pipefail

E2E_TMP=$(mktemp -d -t vesk-e2e.XXXXXX)
E2E_PIDS=()
E2E_APP_PID=""
E2E_NAME=$(basename "$0" .sh)
export XDG_CONFIG_HOME="$E2E_TMP/config" XDG_RUNTIME_DIR="$E2E_TMP/run"
mkdir -m 700 "$XDG_RUNTIME_DIR"
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
not() { ! "$@"; }

# Xvfb on a display it picks itself (-noreset keeps the keymap and the lock state between
# clients) at DPI dots per inch, 96 (a pixel is 15 twips) unless given, and the Xft.dpi resource
# that Qt and openbox's fonts take the scale from; then openbox, ready once its --startup runs.
e2e_start() {
  E2E_EXE=$1
  [ -x "$E2E_EXE" ] || fail "no program at $E2E_EXE"
  Xvfb -displayfd 3 -noreset -nolisten tcp -dpi "${2:-96}" -screen 0 1280x1024x24 3>"$E2E_TMP/display" 2>/dev/null &
  E2E_PIDS+=($!)
  wait_for 10 "Xvfb did not start" grep -qs . "$E2E_TMP/display"
  export DISPLAY=":$(head -1 "$E2E_TMP/display")"
  echo "Xft.dpi: ${2:-96}" | xrdb -nocpp -merge
  openbox --sm-disable --startup "touch $E2E_TMP/openbox-ready" >/dev/null 2>&1 &
  E2E_PIDS+=($!)
  wait_for 10 "openbox did not start" test -e "$E2E_TMP/openbox-ready"
}

# Writes the whole settings file at once, as the program does: one Key=value argument a line.
write_ini() { printf '%s\n' "[Settings]" "$@" >"$INI.tmp" && mv "$INI.tmp" "$INI"; }
store_get() { [ ! -f "$INI" ] || sed -n "s/^$1=//p" "$INI" | tr -d '"'; }
stored_rect() { echo "$(store_get "$1"Left) $(store_get "$1"Top) $(store_get "$1"Width) $(store_get "$1"Height)"; }

visible_windows() { xdotool search --onlyvisible --name '^VESK-LIGHTS$' 2>/dev/null || true; }
windows_shown() { [ "$(visible_windows | grep -c .)" -eq "$1" ]; }
second_window() { visible_windows | grep -vx "$MAIN" | head -1; }

# Starts the program and waits for its window, MAIN; start_app also for its first tick (100 ms
# after the load), where app_start leaves it to the looks that poll.
app_start() {
  "$E2E_EXE" >/dev/null 2>"$E2E_TMP/app.err" &
  E2E_APP_PID=$!
  wait_for 10 "the indicator window did not appear" main_shown
}
main_shown() { windows_shown 1 && MAIN=$(visible_windows | head -1) && [ -n "$MAIN" ]; }
start_app() { app_start && sleep 0.3; }
app_launch() { "$E2E_EXE" "$@" >/dev/null 2>>"$E2E_TMP/app.err" & }  # one more copy, in the background
app_ended() { ! kill -0 "$E2E_APP_PID" 2>/dev/null; }
app_alive() { [ -n "$E2E_APP_PID" ] && ! app_ended; }
# Within $1 s the program has ended, with status 0 ($2 says after what).
app_ends() {
  wait_for "$1" "the program did not end${2:-}" app_ended
  wait "$E2E_APP_PID" || fail "the program ended with status $?${2:-}"
  E2E_APP_PID=""
}
# Closes the indicator window through the window manager, as its close button does.
close_app() { wmctrl -i -c "$MAIN" && app_ends 10 " after its window was closed"; }

# "left top width height" of a window in pixels: its client area, or with `outer` its frame.
# (Given no window, xwininfo would wait for a click.)
rect() {
  local l=0 r=0 t=0 b=0
  [ "${2:-}" != outer ] || read -r l r t b <<<"$(xprop -id "$1" _NET_FRAME_EXTENTS | sed -n 's/.*= //p' | tr -d ,)"
  xwininfo -id "${1:?no window}" | awk -v l="${l:-0}" -v r="${r:-0}" -v t="${t:-0}" -v b="${b:-0}" '
    /Absolute upper-left X/ {x=$NF} /Absolute upper-left Y/ {y=$NF} /^ *Width:/ {w=$NF} /^ *Height:/ {h=$NF}
    END {print x - l, y - t, w + l + r, h + t + b}'
}
outer_rect() { rect "$1" outer; }
# The screen pixel "x y" at client twips (x, y) of a window.
at() { local l t; read -r l t _ <<<"$(rect "$1")" && echo $((l + $2 * ${E2E_DPI:-96} / 1440)) $((t + $3 * ${E2E_DPI:-96} / 1440)); }
# The colours (RRGGBB) of the screen's pixels in a rectangle WxH+X+Y, one a line, or of a
# window's own (Xwayland draws no root window).
colours() { import -window "${2:-root}" -crop "$1" -depth 8 txt:- | sed -n 's/.*#\([0-9A-Fa-f]\{6\}\).*/\1/p'; }

# Where a light's colour shows, inside its border beside its caption: row lights 45 twips in
# from their left edge, upright lights 45 in from their right edge.
declare -A LIGHT=([row.num]="165 300" [row.caps]="1125 300" [row.scroll]="2085 300"
  [upright.num]="315 450" [upright.caps]="675 450" [upright.scroll]="1035 450")
light_is() { [[ $(colours "1x1+$(at "$MAIN" ${LIGHT[$1.$2]} | tr ' ' +)") == $3 ]]; }  # light_is row caps $GREEN

led() { xset q | grep -q "$1: *$2"; }  # led "Caps Lock" on
above() { xprop -id "$1" _NET_WM_STATE | grep -q _NET_WM_STATE_ABOVE; }

# Clicks at client twips of a window, once the driver's windows have settled.
settled() { :; }
click() { settled && xdotool mousemove $(at "$@") click 1; }
double_click() { settled && xdotool mousemove $(at "$@") click --repeat 2 --delay 80 1; }
right_click() { settled && xdotool mousemove $(at "$@") click 3 sleep 1; }
key_press() { xdotool key "$1"; }

# An XEmbed system tray (trayer) along the top right of the display, with Caps Lock off. Without
# a session bus Qt docks its tray icon here, as Wine does. TRAY is the panel that holds the icons.
start_tray() {
  export DBUS_SESSION_BUS_ADDRESS="unix:path=$E2E_TMP/no-bus"
  trayer --edge top --align right --widthtype request --height 24 --transparent false \
    --tint 0x404040 >/dev/null 2>&1 &
  TRAY_PID=$!
  E2E_PIDS+=($!)
  tray_panel() { TRAY=$(xwininfo -root -tree 2>/dev/null | awk '/"panel": \("panel" "trayer"\)/ && !n++ {print $1}'); [ -n "$TRAY" ]; }
  wait_for 10 "trayer did not start" tray_panel
  led "Caps Lock" off || xdotool key Caps_Lock
}
tray_icons() { xwininfo -children -id "$TRAY" | awk '/^ +0x/ { for (i = 2; i <= NF; i++) if ($i ~ /^[0-9]+x[0-9]+[+-]/) {
    split($i, s, /[x+-]/); if (s[1] > 1 && s[2] > 1) print $1 } }'; }
tray_icon() { tray_icons | head -1; }
tray_has_icon() { [ "$(tray_icons | grep -c .)" = 1 ]; }  # one, and only one
# Whether the icon's middle segment (Caps Lock) has the colour (RRGGBB): along the icon's
# middle row, the second lit run, wherever the host put the picture.
tray_caps_is() {
  local l t w h
  read -r l t w h <<<"$(rect "$(tray_icon)")"
  [ "$(colours "${w}x1+$l+$((t + h / 2))" | sed '/^\(FF0000\|00FF00\)$/!s/.*/-/' | uniq | grep -v -- - | sed -n 2p)" = "$1" ]
}
# Right-clicks the icon, then an item's access key once the menu is up.
icon_menu() { right_click "$(tray_icon)" 150 150 && xdotool key "$1"; }
icon_click() { click "$(tray_icon)" 150 150; }
tray_gone() { [ -z "${TRAY_PID:-}" ] || { kill "$TRAY_PID" && wait "$TRAY_PID" 2>/dev/null; TRAY_PID=""; }; }

active() { [ "$(xdotool getactivewindow 2>/dev/null)" = "$1" ]; }
# Whether a shown top-level window other than the indicator's frame has its corner on that frame.
menu_at_window() {
  xdotool search --maxdepth 1 --onlyvisible --name '' getwindowgeometry --shell %@ |
    awk -F= -v f="$(outer_rect "$MAIN")" 'BEGIN { split(f, r, " ") } { v[$1] = $2 }
      $1 == "SCREEN" && v["X"] " " v["Y"] " " v["WIDTH"] " " v["HEIGHT"] != f && v["X"] >= r[1] &&
        v["X"] < r[1] + r[3] && v["Y"] >= r[2] && v["Y"] < r[2] + r[4] { up = 1 } END { exit !up }'
}
# The Menu key (or the key given second) with the indicator active and the mouse in the far
# corner; once the menu is up at the window, an item's access key.
menu_key() {
  settled && xdotool mousemove $(xdotool getdisplaygeometry | awk '{ print $1 - 5, $2 - 5 }')
  # Not windowactivate --sync: on mutter's Xwayland its wait fails, and the key would not follow.
  xdotool windowactivate "$MAIN" 2>/dev/null
  wait_for 3 "the indicator did not become active" active "$MAIN"
  xdotool key "${2:-Menu}"
  wait_for 3 "${2:-Menu} opened no menu at the window" menu_at_window && xdotool key "$1"
}
