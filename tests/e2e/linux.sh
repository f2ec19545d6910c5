#!/usr/bin/env bash
# Plays the scenarios on Linux: the program on a private Xvfb with openbox, with its INI file
# and a stand-in on-screen keyboard.   Usage: linux.sh EXE [SCENARIO_REGEX]
. "$(dirname "$0")/lib.sh"
. "$(dirname "$0")/play.sh"
mkdir -p "$E2E_TMP/bin"
printf '#!/bin/sh\necho "${0##*/}" $$ >"%s"\nexec sleep 20\n' "$E2E_TMP/osk.started" >"$E2E_TMP/bin/onboard"
chmod +x "$E2E_TMP/bin/onboard" && ln -s onboard "$E2E_TMP/bin/squeekboard"
export PATH="$E2E_TMP/bin:$PATH"
# This desktop has no session bus, so no tray host or portal of the developer's own answers.
export DBUS_SESSION_BUS_ADDRESS="unix:path=$E2E_TMP/no-bus"

store_reset() { rm -f "$INI" && { [ $# -eq 0 ] || write_ini "$@"; }; }
store_set() {
  local others=()
  mapfile -t others < <(grep -sv -e "^$1=" -e '^\[Settings\]$' "$INI")
  write_ini "${others[@]}" "$1=$2"
}
moved_from() { [ "$(outer_rect "$1")" != "$2" ]; }
user_move() {
  local before
  before=$(outer_rect "$1")
  xdotool windowmove "$1" "$2" "$3" && wait_for 2 "the window did not move" moved_from "$1" "$before"
}
osk_started() {
  local name pid
  [ -s "$E2E_TMP/osk.started" ] && read -r name pid <"$E2E_TMP/osk.started" && E2E_PIDS+=("$pid") &&
    [ "${1:-$name}" = "$name" ]
}
# Xvfb stands in for Xwayland; the lights read a tree laid out as /sys/class/leds.
LEDS="$E2E_TMP/leds"
set_led() { mkdir -p "$LEDS/$1" && echo "$2" >"$LEDS/$1/brightness"; }
wayland_session() {
  for led in input3::numlock input3::capslock input3::scrolllock input4::capslock; do set_led $led 0; done
  export XDG_SESSION_TYPE=wayland WAYLAND_DISPLAY=vesk-e2e-no-compositor VESK_LEDS_DIR="$LEDS"
  export DBUS_SESSION_BUS_ADDRESS="unix:path=$E2E_TMP/no-bus"  # no portal, unless one is started
}
# A session bus of our own (private-bus.conf), on which a portal installed on the machine is never
# started; on it the fake portal (fake_portal.py), unless MODE is absent.
PORTAL_LOG="$E2E_TMP/portal.log"
portal_start() {
  dbus-daemon --config-file="$(dirname "$0")/private-bus.conf" --address="unix:dir=$E2E_TMP" --nofork \
    --print-address=3 3>"$E2E_TMP/bus" 2>"$E2E_TMP/bus.err" &
  E2E_PIDS+=($!)
  wait_for 5 "the session bus did not start" grep -qs . "$E2E_TMP/bus"
  export DBUS_SESSION_BUS_ADDRESS=$(head -1 "$E2E_TMP/bus")
  [ "$1" != absent ] || return 0
  /usr/bin/python3 -m dbusmock --template "$(dirname "$0")/fake_portal.py" -p \
    "{\"mode\": \"$1\", \"version\": $2, \"log\": \"$PORTAL_LOG\", \"leds\": \"$LEDS\"}" >/dev/null 2>&1 &
  E2E_PIDS+=($!)
  wait_for 5 "the fake portal did not start" portal_up
}
portal_up() { dbus-send --session --print-reply --dest=org.freedesktop.portal.Desktop / org.freedesktop.DBus.Peer.Ping &>/dev/null; }
calls_are() { [ "$(tr '\n' ' ' <"$PORTAL_LOG")" = "$* " ]; }
# Within 3 s, the fake portal has been called exactly so, in this order (one word a call).
portal_calls() { calls_are "$@" || sleep 3; calls_are "$@" || fail "the portal got: $(tr '\n' ' ' <"$PORTAL_LOG")"; }
other_window() {
  xlogo -geometry 200x200+400+300 >/dev/null 2>&1 &
  E2E_PIDS+=($!)
  wait_for 5 "xlogo did not appear" sh -c 'xdotool search --onlyvisible --classname xlogo >/dev/null'
  OTHER=$(xdotool search --onlyvisible --classname xlogo | head -1)
  wmctrl -i -r "$OTHER" -b add,above
  xdotool windowactivate --sync "$OTHER"
}

minimise() { xdotool windowminimize --sync "$MAIN"; }

# A screen reader on a private AT-SPI bus, which the program started after it joins.
reader_lines() { /usr/bin/python3 "$(dirname "$0")/screen_reader.py" list; }
screen_reader() {
  local bus
  # On a bus of our own (private-bus.conf): nothing installed on the machine is started on it.
  bus=$(dbus-daemon --config-file="$(dirname "$0")/private-bus.conf" --fork --print-address=1 \
    --print-pid=1) && E2E_PIDS+=("${bus#*$'\n'}")
  # The accessibility bus's socket goes into the run's own runtime folder (lib.sh).
  export DBUS_SESSION_BUS_ADDRESS=${bus%$'\n'*} QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
  /usr/libexec/at-spi-bus-launcher --launch-immediately &>/dev/null & E2E_PIDS+=($!)
  /usr/bin/python3 "$(dirname "$0")/screen_reader.py" listen "$E2E_TMP/heard" & E2E_PIDS+=($!)
  wait_for 10 "the screen reader did not start" grep -qs listening "$E2E_TMP/heard"
}

signal_sent() { kill -"$1" "$E2E_APP_PID"; }
display_lost() {
  kill "${E2E_PIDS[0]}"
  wait_for 10 "the program did not end when its display went away" app_ended
  E2E_APP_PID=""
}
autostart_entry() { sed -n 's/^Exec=//p' "$XDG_CONFIG_HOME/autostart/${VESK_APP_ID:?}.desktop" 2>/dev/null; }
autostart_want() { readlink -f "$E2E_EXE"; }

# At another scale (DESKTOP xvfb-DPI: Xft.dpi, xvfb-DPIxFACTOR: with Qt's own scale factor on top;
# a twip is then 1/1440 of a logical inch in device pixels), or on a real compositor (DESKTOP: see
# on_desktop.sh).
scale=${DESKTOP:-xvfb} && [[ $scale == xvfb* ]] && scale=${scale#xvfb} || scale=""
IFS=x read -r dpi factor <<<"${scale#-}" && [ -z "$factor" ] || export QT_SCALE_FACTOR=$factor
export E2E_DPI=$(awk -v d="${dpi:-96}" -v f="${factor:-1}" 'BEGIN { print d * f }')
if [[ ${DESKTOP:-xvfb} == xvfb* ]]; then e2e_start "$1" "${dpi:-96}"; else . "$(dirname "$0")/on_desktop.sh" && desktop_e2e_start "$1"; fi
play_scenarios "${2:-}"
