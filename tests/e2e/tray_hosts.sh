#!/usr/bin/env bash
# The tray scenarios on a real StatusNotifier host: waybar with only its tray module, under a
# compositor started by desktops.sh (sway; kwin also has the layer shell waybar needs), the
# program through its Xwayland.   Usage: tray_hosts.sh EXE DESKTOP [SCENARIO_REGEX]
. "$(dirname "$0")/lib.sh"
. "$(dirname "$0")/play.sh"
. "$(dirname "$0")/desktops.sh"
. "$(dirname "$0")/sni_host.sh"
store_reset() { rm -f "$INI" && { [ $# -eq 0 ] || write_ini "$@"; }; }
E2E_EXE=$1
desktop_start "$2" || fail "$2 did not start"
play_scenarios "${3:-^tray-comes-after-the-program$}"
