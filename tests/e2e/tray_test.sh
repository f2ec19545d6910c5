#!/usr/bin/env bash
# The lights in an XEmbed tray, and the notice when a lock changes: the icon docks and follows
# Caps Lock; a press of Caps Lock shows "CAPS LOCK ON", gone again within 2 s; hidden, it
# still ends through "Quit" and stores its place.
#   usage: tray_test.sh PROGRAM
source "$(dirname "$0")/lib.sh"
e2e_start "$1"
# No session bus, so no StatusNotifier host: Qt takes the XEmbed tray.
export DBUS_SESSION_BUS_ADDRESS="unix:path=$E2E_TMP/no-bus"
start_tray
led "Caps Lock" off || xdotool key Caps_Lock
write_ini TRAY_ICON=1 NOTICE_ON_CHANGE=1 MainLeft=1500 MainTop=1500  # whole pixels
start_app

wait_for 10 "no icon docked in the tray" tray_has_icon
wait_for 3 "the icon does not show Caps Lock off in red" tray_caps_is $RED
notice_shown() { xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1; }
notice_gone() { ! notice_shown "$1"; }
notice_shown "CAPS LOCK ON" && fail "a notice at start-up"

xdotool key Caps_Lock
wait_for 3 "no notice after Caps Lock was pressed" notice_shown "CAPS LOCK ON"
sleep 2
notice_gone "CAPS LOCK ON" || fail "the notice was still there after 2 s"
tray_caps_is $GREEN || fail "the icon did not follow Caps Lock"
xdotool key Caps_Lock
wait_for 3 "no notice after Caps Lock was released" notice_shown "CAPS LOCK OFF"

# Hidden behind the icon through its menu, then "Quit" there: the program ends and keeps the
# window's place as it last was.
on_icon() {
  local l t w h
  read -r l t w h <<<"$(rect "$(tray_icon)")"
  xdotool mousemove $((l + w / 2)) $((t + h / 2)) click "$1"
  sleep 0.5
  xdotool key "$2"
}
shown_at=$(outer_rect "$MAIN")
on_icon 3 h
wait_for 3 "the window was not hidden" windows_shown 0
on_icon 3 q
wait_for 5 "the program did not end after Quit with its window hidden" app_ended
wait "$E2E_APP_PID" || fail "the program ended with status $?"
E2E_APP_PID=""
expect_stored_rect Main "$shown_at"
note "passed"
