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

e2e_cleanup() {
  local pid
  for pid in "$E2E_APP_PID" "${E2E_PIDS[@]}"; do
    if [ -n "$pid" ]; then kill "$pid" 2>/dev/null || true; fi
  done
  wait 2>/dev/null || true
  rm -rf "$E2E_TMP"
}
trap e2e_cleanup EXIT

fail() {
  echo "$E2E_NAME: FAILED: $*" >&2
  if [ -s "$E2E_TMP/app.err" ]; then
    echo "--- the program's stderr:" >&2
    cat "$E2E_TMP/app.err" >&2
  fi
  exit 1
}
note() { echo "$E2E_NAME: $*"; }

# Polls a command until it succeeds or `timeout` seconds have passed; gives its last status.
# The command is run afresh each time, so pass a function, not an expanded value.
within() {
  local timeout=$1
  shift
  local end=$((SECONDS + timeout))
  until "$@"; do
    [ "$SECONDS" -lt "$end" ] || return 1
    sleep 0.1
  done
}
wait_for() {
  local timeout=$1 what=$2
  shift 2
  within "$timeout" "$@" || fail "$what (waited ${timeout}s)"
}

# Xvfb on a display it picks itself (-noreset keeps the keymap and the lock state between
# clients, at 96 DPI so that a pixel is 15 twips), then openbox, ready once its --startup runs.
e2e_start_x() {
  Xvfb -displayfd 3 -noreset -nolisten tcp -dpi 96 -screen 0 1280x1024x24 \
    3>"$E2E_TMP/display" 2>"$E2E_TMP/xvfb.err" &
  E2E_PIDS+=($!)
  wait_for 10 "Xvfb did not start" grep -qs . "$E2E_TMP/display"
  DISPLAY=":$(head -1 "$E2E_TMP/display")"
  export DISPLAY
  openbox --sm-disable --startup "touch $E2E_TMP/openbox-ready" >/dev/null 2>&1 &
  E2E_PIDS+=($!)
  wait_for 10 "openbox did not start" test -e "$E2E_TMP/openbox-ready"
}

# Writes the settings file: one Key=value argument per line under [Settings].
write_ini() {
  { echo "[Settings]"; printf '%s\n' "$@"; } >"$INI.tmp"
  mv "$INI.tmp" "$INI"  # a whole file at once, as the program's own writes are
}

ini_value() { sed -n "s/^$1=//p" "$INI" | tr -d '"'; }

visible_windows() { xdotool search --onlyvisible --name '^VESK-LIGHTS$' 2>/dev/null || true; }
window_count() { visible_windows | grep -c . || true; }
windows_shown() { [ "$(window_count)" -eq "$1" ]; }
stored_is() { [ "$(ini_value "$1")" = "$2" ]; }

# Starts the program and waits for its window; MAIN is the indicator window's id.
start_app() {
  "$E2E_EXE" >"$E2E_TMP/app.out" 2>"$E2E_TMP/app.err" &
  E2E_APP_PID=$!
  wait_for 10 "the indicator window did not appear" windows_shown 1
  MAIN=$(visible_windows | head -1)
  # The first tick comes 100 ms after the load.
  sleep 0.3
}

app_running() { kill -0 "$E2E_APP_PID" 2>/dev/null; }
app_ended() { ! app_running; }

# Closes the indicator window through the window manager, as its close button does.
close_app() {
  wmctrl -i -c "$MAIN"
  wait_for 10 "the program did not end after its window was closed" app_ended
  local status=0
  wait "$E2E_APP_PID" || status=$?
  E2E_APP_PID=""
  [ "$status" -eq 0 ] || fail "the program ended with status $status after its window was closed"
}

# "x y" of a window's client area on the screen.
client_origin() {
  xwininfo -id "$1" | awk '/Absolute upper-left X/ {x=$NF} /Absolute upper-left Y/ {y=$NF}
                           END {print x, y}'
}

# "left top width height" of the outer (frame) rectangle in pixels.
outer_rect() {
  local info extents
  info=$(xwininfo -id "$1")
  extents=$(xprop -id "$1" _NET_FRAME_EXTENTS | sed -n 's/.*= //p' | tr -d ',')
  [ -n "$extents" ] || extents="0 0 0 0"
  awk -v e="$extents" '
    /Absolute upper-left X/ {x=$NF} /Absolute upper-left Y/ {y=$NF}
    /^ *Width:/ {w=$NF} /^ *Height:/ {h=$NF}
    END {split(e, f, " "); print x - f[1], y - f[3], w + f[1] + f[2], h + f[3] + f[4]}' <<<"$info"
}

# The colour (RRGGBB) of the screen pixel at client twips (tx, ty) of a window.
pixel() {
  local left top
  read -r left top <<<"$(client_origin "$1")"
  import -window root -crop "1x1+$((left + $2 / 15))+$((top + $3 / 15))" -depth 8 txt:- | sed -n 's/.*#\([0-9A-Fa-f]\{6\}\).*/\1/p'
}

# The colour of a light, read inside its border beside its centred or left-aligned caption.
# Row lights: read 45 twips in from the left edge; upright lights: 45 in from the right edge.
GREEN=00FF00
RED=FF0000
row_light() {  # key: num, caps, scroll
  case $1 in num) pixel "$MAIN" 165 300 ;; caps) pixel "$MAIN" 1125 300 ;; scroll) pixel "$MAIN" 2085 300 ;; esac
}
upright_light() {
  case $1 in num) pixel "$MAIN" 315 450 ;; caps) pixel "$MAIN" 675 450 ;; scroll) pixel "$MAIN" 1035 450 ;; esac
}
light_is() { [ "$("$1" "$2")" = "$3" ]; }          # light_is row_light caps 00FF00
light_hidden() { local c; c=$("$1" "$2"); [ "$c" != "$GREEN" ] && [ "$c" != "$RED" ]; }

led_on() { xset q | grep -q "$1: *on"; }
led_off() { xset q | grep -q "$1: *off"; }

above() { xprop -id "$1" _NET_WM_STATE | grep -q _NET_WM_STATE_ABOVE; }
not_above() { ! above "$1"; }

# Double-clicks / clicks at client twips of a window.
double_click() {
  xdotool mousemove --window "$1" $(($2 / 15)) $(($3 / 15)) click --repeat 2 --delay 60 1
}
click() { xdotool mousemove --window "$1" $(($2 / 15)) $(($3 / 15)) click 1; }

e2e_start() {
  E2E_EXE=$1
  [ -x "$E2E_EXE" ] || fail "no program at $E2E_EXE"
  e2e_start_x
}
