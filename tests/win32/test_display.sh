#!/usr/bin/env bash
# The X display of a test run: "start N STATE_DIR" starts Xvfb on :N with openbox as window
# manager and returns once both are ready; "stop N STATE_DIR" ends the two processes it started.
set -euo pipefail
action=$1 number=$2 state=$3
export DISPLAY=:$number

# Ends a process started by an earlier "start", by its recorded id, if it is still that program,
# and waits until it is gone (or merely a zombie left for a parent that does not reap it).
end_recorded() {
  local pid
  pid=$(cat "$state/$1.pid" 2>/dev/null) || return 0
  if grep -qs "$2" "/proc/$pid/cmdline" && kill "$pid" 2>/dev/null; then
    for _ in $(seq 50); do grep -qs '^State:[[:space:]]*[^Z[:space:]]' "/proc/$pid/status" || break; sleep 0.1; done
  fi
  rm -f "$state/$1.pid"
}

# Starts a program in the background, its id recorded, and waits up to 10 s for a command to
# succeed; else shows the program's log.
start() {
  local name=$1 ready=$2
  shift 2
  setsid "$@" </dev/null >"$state/$name.log" 2>&1 &
  echo $! >"$state/$name.pid"
  for _ in $(seq 100); do bash -c "$ready" >/dev/null 2>&1 && return 0; sleep 0.1; done
  echo "$name did not start on :$number:" >&2 && cat "$state/$name.log" >&2 && exit 1
}

end_recorded openbox openbox
end_recorded xvfb Xvfb
case $action in
  start)
    if [ -e "/tmp/.X$number-lock" ]; then
      echo "display :$number is taken by another X server; configure again to pick another" >&2
      exit 1
    fi
    mkdir -p "$state"
    # -noreset: the keymap and lock state survive clients coming and going.
    start xvfb xdpyinfo Xvfb ":$number" -noreset -nolisten tcp -screen 0 1280x1024x24
    # openbox is managing once the root window names its check window.
    start openbox 'xprop -root -notype _NET_SUPPORTING_WM_CHECK | grep -q "window id"' \
      openbox --sm-disable
    ;;
  stop) rm -rf "$state" ;;
  *) echo "usage: $0 start|stop DISPLAY_NUMBER STATE_DIR" >&2 && exit 2 ;;
esac
