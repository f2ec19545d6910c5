# Real compositors for the tests, each headless at 1280x800, in a private runtime folder with a
# session bus of its own that starts no services. Source it, then:
#   desktop_start NAME [native]   NAME: mutter, kwin or sway; with Xwayland unless `native`
# exports XDG_RUNTIME_DIR, WAYLAND_DISPLAY, DBUS_SESSION_BUS_ADDRESS, and with Xwayland DISPLAY
# and XAUTHORITY (any X client of this user may connect), under sway SWAYSOCK; desktop_stop, run
# at exit, ends it all.
# sway refuses to run as root: as root it runs as the user DESKTOP_USER, made here when missing.

DESKTOP_USER=vesk-e2e
DESKTOP_PIDS=()

desktop_stop() {
  local pid
  for pid in "${DESKTOP_PIDS[@]}"; do kill "$pid" 2>/dev/null || true; done
  [ -z "${DESKTOP_DIR:-}" ] || rm -rf "$DESKTOP_DIR"
  DESKTOP_PIDS=() DESKTOP_DIR=""
}

desktop_wait() {
  local end=$((SECONDS + $1))
  until [ -s "$DESKTOP_DIR/ready" ]; do
    [ "$SECONDS" -lt "$end" ] || { echo "desktops.sh: $2 did not start:" && tail -5 "$DESKTOP_DIR/log"; } >&2
    [ "$SECONDS" -lt "$end" ] || return 1
    sleep 0.1
  done
}

desktop_start() {
  local name=$1 x11=yes runas=() rt prev
  [ "${2:-}" != native ] || x11=no
  if [ "$name" = sway ] && [ "$(id -u)" = 0 ]; then
    id "$DESKTOP_USER" >/dev/null 2>&1 || useradd --system --user-group --no-create-home \
      --home-dir /nonexistent --shell /usr/sbin/nologin "$DESKTOP_USER" 2>/dev/null ||
      id "$DESKTOP_USER" >/dev/null || return 1
    runas=(setpriv --reuid="$DESKTOP_USER" --regid="$DESKTOP_USER" --init-groups)
  fi
  rt=$(mktemp -d -t vesk-desktop.XXXXXX) && chmod 700 "$rt" && DESKTOP_DIR=$rt
  # Before the caller's own handler, which may wait for every child.
  prev=$(trap -p EXIT | sed "s/^trap -- '\\(.*\\)' EXIT\$/\\1/")
  [[ $prev == *desktop_stop* ]] || trap "desktop_stop${prev:+; $prev}" EXIT
  cat >"$rt/bus.conf" <<EOF
<busconfig><type>session</type><listen>unix:dir=$rt</listen><auth>EXTERNAL</auth>
<policy context="default"><allow user="*"/><allow own="*"/><allow send_destination="*"/>
<allow receive_sender="*"/></policy></busconfig>
EOF
  dbus-daemon --config-file="$rt/bus.conf" --nofork --print-address=3 3>"$rt/bus" 2>/dev/null &
  DESKTOP_PIDS+=($!)
  # Once the compositor is up it runs this: Xwayland opened to our user, then its environment.
  cat >"$rt/ready.sh" <<EOF
#!/bin/sh
if [ -n "\$DISPLAY" ]; then until xhost +si:localuser:$(id -un) >/dev/null 2>&1; do sleep 0.1; done; fi
env | grep -E '^(WAYLAND_DISPLAY|DISPLAY|XAUTHORITY|SWAYSOCK)=' >"$rt/env" && echo \$\$ >"$rt/ready"
exec sleep 100000
EOF
  chmod 755 "$rt/ready.sh"
  until [ -s "$rt/bus" ]; do sleep 0.05; done
  export XDG_RUNTIME_DIR=$rt DBUS_SESSION_BUS_ADDRESS=$(head -1 "$rt/bus")
  unset DISPLAY XAUTHORITY WAYLAND_DISPLAY
  # A fresh home for the compositor's own settings, as at a first login.
  local home=(HOME="$rt/home" XDG_CONFIG_HOME="$rt/home/.config" XDG_DATA_HOME="$rt/home/.local/share"
    XDG_CACHE_HOME="$rt/home/.cache")
  mkdir -p "$rt/home"
  case $name in
    mutter)
      env "${home[@]}" mutter --headless --wayland $([ $x11 = yes ] || echo --no-x11) --virtual-monitor 1280x800 \
        --wayland-display=vesk-wl -- "$rt/ready.sh" >"$rt/log" 2>&1 & ;;
    kwin)
      # A copy: the installed binary carries a file capability that a container may refuse.
      cp /usr/bin/kwin_wayland "$rt/kwin_wayland"
      env "${home[@]}" "$rt/kwin_wayland" --virtual $([ $x11 = no ] || echo --xwayland) --socket vesk-wl --width 1280 --height 800 \
        --no-lockscreen --no-global-shortcuts "$rt/ready.sh" >"$rt/log" 2>&1 & ;;
    sway)
      printf '%s\n' "xwayland $([ $x11 = yes ] && echo force || echo disable)" "output HEADLESS-1 resolution 1280x800" \
        "exec $rt/ready.sh" >"$rt/sway.conf"
      [ ${#runas[@]} -eq 0 ] || chown -R "$DESKTOP_USER:" "$rt"
      "${runas[@]}" env "${home[@]}" WLR_BACKENDS=headless WLR_LIBINPUT_NO_DEVICES=1 WLR_RENDERER=pixman \
        sway -c "$rt/sway.conf" >"$rt/log" 2>&1 & ;;
    *) echo "desktops.sh: no desktop '$name'" >&2 && return 1 ;;
  esac
  DESKTOP_PIDS+=($!)
  desktop_wait 20 "$name" || return 1
  DESKTOP_PIDS+=("$(cat "$rt/ready")")
  set -a && . "$rt/env" && set +a
}
