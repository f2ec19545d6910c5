#!/usr/bin/env bash
# The X display of a test run: "start N STATE_DIR" starts Xvfb on :N with openbox as window
# manager and returns once both are ready; "stop N STATE_DIR" ends the two processes it started.
set -euo pipefail
action=$1 number=$2 state=$3
export DISPLAY=:$number

# Alive, and not merely a zombie left for a parent that does not reap it.
running() { grep -qs '^State:[[:space:]]*[^Z[:space:]]' "/proc/$1/status"; }

# Ends a process started by an earlier "start", by its recorded id, if it is still that program.
end_recorded() {
  local file=$state/$1.pid program=$2 pid
  [ -f "$file" ] || return 0
  pid=$(cat "$file")
  if [ -r "/proc/$pid/cmdline" ] && tr '\0' ' ' <"/proc/$pid/cmdline" | grep -q "$program"; then
    kill "$pid" 2>/dev/null || true
    for _ in $(seq 50); do running "$pid" || break; sleep 0.1; done
  fi
  rm -f "$file"
}
stop_all() { end_recorded openbox openbox; end_recorded xvfb Xvfb; }

# Waits up to 10 s for a command to succeed; else shows the log of what failed to start.
wait_for() {
  local what=$1 log=$2
  shift 2
  for _ in $(seq 100); do
    if "$@" >/dev/null 2>&1; then return 0; fi
    sleep 0.1
  done
  echo "$what did not start on :$number:" >&2
  cat "$log" >&2
  exit 1
}

case $action in
  start)
    stop_all
    if [ -e "/tmp/.X$number-lock" ]; then
      echo "display :$number is taken by another X server; configure again to pick another" >&2
      exit 1
    fi
    mkdir -p "$state"
    # -noreset: the keymap and lock state survive clients coming and going.
    setsid Xvfb ":$number" -noreset -nolisten tcp -screen 0 1280x1024x24 \
      </dev/null >"$state/xvfb.log" 2>&1 &
    echo $! >"$state/xvfb.pid"
    wait_for Xvfb "$state/xvfb.log" xdpyinfo
    setsid openbox --sm-disable </dev/null >"$state/openbox.log" 2>&1 &
    echo $! >"$state/openbox.pid"
    # openbox is managing once the root window names its check window.
    wait_for openbox "$state/openbox.log" \
      bash -c 'xprop -root -notype _NET_SUPPORTING_WM_CHECK | grep -q "window id"'
    ;;
  stop)
    stop_all
    rm -rf "$state"
    ;;
  *)
    echo "usage: $0 start|stop DISPLAY_NUMBER STATE_DIR" >&2
    exit 2
    ;;
esac
