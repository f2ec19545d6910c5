#!/usr/bin/env bash
# A real desktop to try the program on, or to test it on: mutter (GNOME), kwin (KDE) or sway,
# headless at 1280x800, in a private runtime folder with a session bus of its own that starts no
# services, and a fresh home as at a first login.
#   tools/desktop.sh NAME [native] [COMMAND...]   runs COMMAND (a shell) in it, then ends it
# The end-to-end tests source it (through tests/e2e/desktops.sh), then:
#   desktop_start NAME [native]   NAME: mutter, kwin or sway; with Xwayland unless `native`
# exports XDG_RUNTIME_DIR, WAYLAND_DISPLAY, DBUS_SESSION_BUS_ADDRESS, and with Xwayland DISPLAY
# and XAUTHORITY (any X client of this user may connect), under sway SWAYSOCK; desktop_stop, run
# at exit, ends it all.
# sway refuses to run as root: as root it runs as the user DESKTOP_USER.

DESKTOP_USER=nobody
DESKTOP_PIDS=()

desktop_stop() {
  local pid tries
  for pid in "${DESKTOP_PIDS[@]}"; do kill "$pid" 2>/dev/null || true; done
  # Gone before their folder goes: a compositor writes its caches as it ends.
  for pid in "${DESKTOP_PIDS[@]}"; do
    for tries in {1..50}; do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
  done
  [ -z "${DESKTOP_DIR:-}" ] || rm -rf "$DESKTOP_DIR" || true
  DESKTOP_PIDS=() DESKTOP_DIR=""
}

desktop_start() {
  local name=$1 x11=yes runas=() rt prev end=$((SECONDS + 20))
  [ "${2:-}" != native ] || x11=""
  [ "$name" != sway ] || [ "$(id -u)" != 0 ] || runas=(setpriv --reuid="$DESKTOP_USER" --regid=nogroup --clear-groups)
  rt=$(mktemp -d -t vesk-desktop.XXXXXX) && chmod 700 "$rt" && DESKTOP_DIR=$rt && mkdir "$rt/home"
  # Before the caller's own handler, which may wait for every child.
  prev=$(trap -p EXIT | sed "s/^trap -- '\\(.*\\)' EXIT\$/\\1/")
  [[ $prev == *desktop_stop* ]] || trap "desktop_stop${prev:+; $prev}" EXIT
  printf '<busconfig><type>session</type><listen>unix:dir=%s</listen><auth>EXTERNAL</auth>%s%s</busconfig>' \
    "$rt" '<policy context="default"><allow user="*"/><allow own="*"/><allow send_destination="*"/>' \
    '<allow receive_sender="*"/></policy>' >"$rt/bus.conf"
  dbus-daemon --config-file="$rt/bus.conf" --nofork --print-address=3 3>"$rt/bus" 2>/dev/null &
  DESKTOP_PIDS+=($!)
  # Once the compositor is up it runs this: Xwayland opened to our user, then its environment.
  printf '#!/bin/sh\n%s\n%s >%s && echo $$ >%s\nexec sleep 100000\n' \
    "[ -z \"\$DISPLAY\" ] || until xhost +si:localuser:$(id -un) >/dev/null 2>&1; do sleep 0.1; done" \
    "env | grep -E '^(WAYLAND_DISPLAY|DISPLAY|XAUTHORITY|SWAYSOCK)='" "$rt/env" "$rt/ready" >"$rt/ready.sh"
  chmod 755 "$rt/ready.sh"
  until [ -s "$rt/bus" ]; do sleep 0.05; done
  export XDG_RUNTIME_DIR=$rt DBUS_SESSION_BUS_ADDRESS=$(head -1 "$rt/bus")
  unset DISPLAY XAUTHORITY WAYLAND_DISPLAY
  local env=(env HOME="$rt/home" XDG_CONFIG_HOME="$rt/home/.config" XDG_DATA_HOME="$rt/home/.local/share"
    XDG_CACHE_HOME="$rt/home/.cache")
  case $name in
    mutter) "${env[@]}" mutter --headless --wayland $([ -n "$x11" ] || echo --no-x11) --virtual-monitor 1280x800 \
      --wayland-display=vesk-wl -- "$rt/ready.sh" >"$rt/log" 2>&1 & ;;
    # A copy: the installed binary carries a file capability that a container may refuse.
    kwin) cp /usr/bin/kwin_wayland "$rt/kwin_wayland"
      "${env[@]}" "$rt/kwin_wayland" --virtual ${x11:+--xwayland} --socket vesk-wl --width 1280 \
        --height 800 --no-lockscreen --no-global-shortcuts "$rt/ready.sh" >"$rt/log" 2>&1 & ;;
    sway)
      printf '%s\n' "xwayland $([ -n "$x11" ] && echo force || echo disable)" "output HEADLESS-1 resolution 1280x800" \
        "exec $rt/ready.sh" >"$rt/sway.conf"
      [ ${#runas[@]} -eq 0 ] || chown -R "$DESKTOP_USER:" "$rt"
      "${runas[@]}" "${env[@]}" WLR_BACKENDS=headless WLR_LIBINPUT_NO_DEVICES=1 WLR_RENDERER=pixman \
        sway -c "$rt/sway.conf" >"$rt/log" 2>&1 & ;;
    *) echo "desktops.sh: no desktop '$name'" >&2 && return 1 ;;
  esac
  DESKTOP_PIDS+=($!)
  until [ -s "$rt/ready" ]; do
    [ "$SECONDS" -lt "$end" ] || { echo "desktops.sh: $name did not start:" && tail -5 "$rt/log"; } >&2
    [ "$SECONDS" -lt "$end" ] || return 1
    sleep 0.1
  done
  DESKTOP_PIDS+=("$(cat "$rt/ready")")
  set -a && . "$rt/env" && set +a
}

if [ "${BASH_SOURCE[0]}" = "$0" ]; then
  [ $# -ge 1 ] || { echo "usage: $0 mutter|kwin|sway [native] [COMMAND...]" >&2 && exit 2; }
  name=$1 && shift
  [ "${1:-}" != native ] || { native=native && shift; }
  desktop_start "$name" "${native:-}" || exit 1
  echo "$name is up: WAYLAND_DISPLAY=$WAYLAND_DISPLAY DISPLAY=${DISPLAY:-}" >&2
  if [ $# -gt 0 ]; then "$@"; else "${SHELL:-bash}"; fi
fi
