#!/usr/bin/env bash
# The Wine prefix of a test run: "setup PREFIX [KEEPER]" makes it afresh (about 10 s) and
# leaves Wine's helper processes running until "cleanup PREFIX", with KEEPER
# (desktop_keeper.exe) holding the desktop open on $DISPLAY; "cleanup PREFIX" stops every Wine
# process of the prefix and removes it.
#
# Why the helpers start here: a Wine helper (services, explorer, rpcss...) keeps the output of
# the program that started it, and ctest waits for a test's output to close. Started by a
# test, a helper that lives on to the end of the run would hold that test forever; started
# here, with its output in the log, it costs the tests nothing, and each test starts in a
# tenth of a second instead of waiting for Wine to boot its helpers again.
set -euo pipefail
action=$1
export WINEPREFIX=$2 WINEDEBUG=-all

remove_prefix() {
  if [ -d "$WINEPREFIX" ]; then wineserver -k 2>/dev/null || true; fi
  rm -rf "$WINEPREFIX" "$WINEPREFIX.log" "$WINEPREFIX.ready"
}

case $action in
  setup)
    remove_prefix
    log=$WINEPREFIX.log
    quietly() { "$@" </dev/null >>"$log" 2>&1 || { cat "$log" >&2; exit 1; }; }
    # No display and no Mono or Gecko installers: nothing shows, nothing is downloaded.
    quietly env -u DISPLAY WINEDLLOVERRIDES="mscoree,mshtml=" wineboot -i
    quietly wineserver -w
    # Debian ships Wine's own fonts apart; without them controls draw no text.
    fonts=$WINEPREFIX/drive_c/windows/Fonts
    mkdir -p "$fonts"
    if [ -d /usr/share/wine/fonts ]; then cp -r /usr/share/wine/fonts/. "$fonts"/; fi
    # A server that stays until cleanup, every helper, and the desktop on the run's display.
    quietly wineserver -p
    quietly wineboot
    [ -n "${3:-}" ] || exit 0
    setsid wine "$3" </dev/null >"$WINEPREFIX.ready" 2>>"$log" &
    for _ in $(seq 600); do grep -qs ready "$WINEPREFIX.ready" && exit 0; sleep 0.1; done
    echo "the Wine desktop did not start" >&2 && cat "$log" >&2 && exit 1
    ;;
  cleanup) remove_prefix ;;
  *) echo "usage: $0 setup PREFIX [KEEPER] | cleanup PREFIX" >&2 && exit 2 ;;
esac
