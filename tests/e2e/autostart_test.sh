#!/usr/bin/env bash
# "Start at login" through the right-click menu: picking it by its access key writes the
# autostart entry that runs this program; picking it again removes the entry.
source "$(dirname "$0")/lib.sh"
e2e_start "$1"
ENTRY="$XDG_CONFIG_HOME/autostart/net.tarnwick.VeskLights.desktop"

# Right-click the background between the last light and the button, then the item's key.
pick_start_at_login() {
  xdotool mousemove --window "$MAIN" $((2950 / 15)) $((300 / 15)) click 3
  wait_for 10 "the menu did not open" menu_open
  xdotool key l
}
menu_open() { xdotool search --onlyvisible --class vesk-lights 2>/dev/null | grep -qvx "$MAIN"; }
entry_written() { grep -qx "Exec=$(readlink -f "$E2E_EXE")" "$ENTRY" 2>/dev/null; }
entry_gone() { [ ! -e "$ENTRY" ]; }

start_app
pick_start_at_login
wait_for 10 "no autostart entry running the program at $ENTRY" entry_written
note "ticked: $(grep ^Exec= "$ENTRY")"
pick_start_at_login
wait_for 10 "the autostart entry stayed after unticking" entry_gone
close_app
note "passed"
