#!/usr/bin/env bash
# Start-up time of vesk-lights beside a bare Qt window: from the start of each program to its
# window on screen, on one Xvfb display with openbox, the two started in turn, each round.
# Usage: tools/measure-startup.sh [rounds]   (after `make linux`)
set -euo pipefail
cd "$(dirname "$0")/.."
rounds=${1:-20}
exe=build/linux/vesk-lights
for tool in "$exe" build/linux/tools/bare-window build/linux/tools/startup-time; do
  [ -x "$tool" ] || { echo "build first: cmake --build --preset linux" >&2; exit 1; }
done

work=$(mktemp -d)
trap 'kill $(jobs -p) 2>/dev/null; wait 2>/dev/null; rm -rf "$work"' EXIT
Xvfb -displayfd 3 -noreset -screen 0 1280x800x24 3>"$work/d" 2>/dev/null &
for _ in $(seq 50); do [ -s "$work/d" ] && break; sleep 0.1; done
export DISPLAY=":$(cat "$work/d")" XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/run"
mkdir -m 700 "$XDG_RUNTIME_DIR"
openbox >/dev/null 2>&1 &
sleep 1
build/linux/tools/startup-time "$rounds" "$(realpath "$exe")" "$(realpath build/linux/tools/bare-window)"
