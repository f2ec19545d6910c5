#!/usr/bin/env bash
# The lights in an XEmbed tray, and the notice when a lock changes: the icon docks and follows
# Caps Lock; a press of Caps Lock shows "CAPS LOCK ON", gone again within 2 s.
#   usage: tray_test.sh PROGRAM
source "$(dirname "$0")/lib.sh"
e2e_start "$1"
# No session bus, so no StatusNotifier host: Qt takes the XEmbed tray.
export DBUS_SESSION_BUS_ADDRESS="unix:path=$E2E_TMP/no-bus"
start_tray
led "Caps Lock" off || xdotool key Caps_Lock
write_ini TRAY_ICON=1 NOTICE_ON_CHANGE=1
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
close_app
note "passed"
