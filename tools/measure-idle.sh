#!/usr/bin/env bash
# Idle CPU and resident memory of vesk-lights beside a bare Qt window with a 100 ms timer,
# both running at once on one Xvfb display with openbox, over the same interval.
# Usage: tools/measure-idle.sh [--tray] [seconds]   (after `make linux`)
#   --tray: with its icon on, in an XEmbed tray (trayer)
set -euo pipefail
cd "$(dirname "$0")/.."
tray=
if [ "${1:-}" = --tray ]; then tray=1; shift; fi
secs=${1:-60}
exe=build/linux/vesk-lights
bare=build/linux/tools/bare-window
[ -x "$exe" ] && [ -x "$bare" ] || { echo "build first: make linux" >&2; exit 1; }

work=$(mktemp -d)
trap 'kill ${app:-} ${base:-} 2>/dev/null; sleep 0.5; kill $(jobs -p) 2>/dev/null; wait 2>/dev/null; rm -rf "$work"' EXIT
Xvfb -displayfd 3 -noreset -screen 0 1280x800x24 3>"$work/d" 2>/dev/null &
for _ in $(seq 50); do [ -s "$work/d" ] && break; sleep 0.1; done
export DISPLAY=":$(cat "$work/d")" XDG_CONFIG_HOME="$work/config"
openbox >/dev/null 2>&1 &
sleep 1
if [ -n "$tray" ]; then
  mkdir -p "$XDG_CONFIG_HOME/TARNWICK-VESK-LIGHTS"
  printf '[Settings]\nTRAY_ICON=1\n' >"$XDG_CONFIG_HOME/TARNWICK-VESK-LIGHTS/settings.ini"
  export DBUS_SESSION_BUS_ADDRESS="unix:path=$work/no-bus"  # Qt takes the XEmbed tray
  trayer --edge top --align right --widthtype request --height 24 >/dev/null 2>&1 &
  sleep 1
fi
"$exe" 2>/dev/null &
app=$!
"$bare" 2>/dev/null &
base=$!
sleep 3  # let both settle after start-up

# CPU time in nanoseconds, summed over all threads of the process.
ticks() { cat /proc/$1/task/*/schedstat | awk '{s += $1} END {printf "%d", s}'; }
rss() { awk '/VmRSS/ {print $2}' "/proc/$1/status"; }
a0=$(ticks $app) b0=$(ticks $base) t0=$(date +%s.%N)
sleep "$secs"
a1=$(ticks $app) b1=$(ticks $base) t1=$(date +%s.%N)
awk -v a=$((a1 - a0)) -v b=$((b1 - b0)) -v hz=1000000000 -v t0="$t0" -v t1="$t1" \
    -v ra="$(rss $app)" -v rb="$(rss $base)" 'BEGIN {
  el = t1 - t0
  printf "over %.1f s: vesk-lights %.3f %% of one core, bare window %.3f %%, difference %.3f %%\n",
         el, 100 * a / hz / el, 100 * b / hz / el, 100 * (a - b) / hz / el
  printf "resident memory: vesk-lights %d KiB, bare window %d KiB\n", ra, rb
}'
