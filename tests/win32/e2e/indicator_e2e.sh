#!/usr/bin/env bash
# End to end under Wine: VESK-LIGHTS.exe on the test display (Xvfb with openbox), driven with
# xdotool and read back from screenshots and the registry.
#   usage: indicator_e2e.sh EXE FAKE_OSK OUTPUT_DIR
# Needs WINEPREFIX and DISPLAY. Screenshots of each step stay in OUTPUT_DIR.
set -euo pipefail
exe=$1 fake_osk=$2 out=$3
: "${WINEPREFIX:?}" "${DISPLAY:?}"
export WINEDEBUG=-all
mkdir -p "$out"
rm -f "$out"/*.png

app='HKCU\Software\VB and VBA Program Settings\TARNWICK-VESK-LIGHTS'
system32=$WINEPREFIX/drive_c/windows/system32
marker=$system32/vesk-osk-started.txt
pid=

fail() { echo "FAIL: $*" >&2; exit 1; }
step() { echo "-- $*"; }
cleanup() {
  if [ -n "$pid" ]; then kill "$pid" 2>/dev/null || true; fi
  wine reg delete "$app" /f >/dev/null 2>&1 || true
  rm -f "$marker"
}
trap cleanup EXIT

reg_set() { wine reg add "$app\\Settings" /v "$1" /t REG_SZ /d "$2" /f >/dev/null 2>&1; }
reg_get() {
  wine reg query "$app\\Settings" /v "$1" 2>/dev/null | tr -d '\r' |
    awk -v k="$1" '$1 == k { print $3 }'
}
# Up to 20 s for a command to succeed.
wait_until() { for _ in $(seq 100); do "$@" && return 0; sleep 0.2; done; return 1; }
settle() { sleep 1.2; }  # ten refresh ticks and then some
shot() { import -window root "$out/$1.png" && echo "$out/$1.png"; }

# "red", "green" or the colour's components, of a screen pixel in a screenshot.
colour_at() {
  local rgb
  rgb=$(convert "$1" -format "%[fx:int(255*p{$2,$3}.r+.5)],%[fx:int(255*p{$2,$3}.g+.5)],%[fx:int(255*p{$2,$3}.b+.5)]" info:)
  case $rgb in 255,0,0) echo red ;; 0,255,0) echo green ;; *) echo "$rgb" ;; esac
}
lit() { [[ $1 = red || $1 = green ]]; }

top_windows() { xdotool search --onlyvisible --name '^VESK-LIGHTS$' 2>/dev/null || true; }
windows_are() { [ "$(top_windows | wc -l)" -eq "$1" ]; }
wait_windows() { wait_until windows_are "$1" || fail "expected $1 window(s), found $(top_windows | wc -l)"; }
# Sets X, Y, WIDTH, HEIGHT of an X window: Wine draws a tool window's frame itself, so this is
# the outer rectangle.
geometry() { eval "$(xdotool getwindowgeometry --shell "$1")"; }
double_click() { xdotool mousemove "$1" "$2" click --repeat 2 --delay 80 1; }
click() { xdotool mousemove "$1" "$2" click 1; }

# --- a known start: settings seeded by hand, the fake keyboard in place ----------------------
wine reg delete "$app" /f >/dev/null 2>&1 || true
# 100, 80 px, 300 x 100 px at 96 DPI; the dialog at 500, 200 px.
for setting in MainLeft=1500 MainTop=1200 MainWidth=4500 MainHeight=1500 AboutMainLeft=7500 \
  AboutMainTop=3000; do
  reg_set "${setting%=*}" "${setting#*=}"
done
cp "$fake_osk" "$system32/osk.exe"
rm -f "$marker"

wine "$exe" </dev/null >"$out/exe.log" 2>&1 &
pid=$!
wait_windows 1
main=$(top_windows)
settle

step "the stored place is restored"
geometry "$main"
[ "$X,$Y,$WIDTH,$HEIGHT" = "100,80,300,100" ] || fail "window at $X,$Y ${WIDTH}x$HEIGHT"
win_x=$X win_y=$Y

# The client area's corner, from the first light pixel: the Num light's inside starts one
# border pixel past its place at (8, 8).
s=$(shot 1-restored)
read -r lx ly < <(convert "$s" -crop "${WIDTH}x${HEIGHT}+$X+$Y" +repage txt:- |
  awk -F'[ ,:]+' '/#FF0000 |#00FF00 / {
    if (x == "" || $1 < x) x = $1; if (y == "" || $2 < y) y = $2 } END { print x, y }')
[ -n "$lx" ] || fail "no light is lit"
cx=$((X + lx - 9)) cy=$((Y + ly - 9))
frame_x=$((cx - X)) frame_y=$((cy - Y))
# Sample points low in each light, clear of its caption.
num=($((cx + 11)) $((cy + 30)))
caps=($((cx + 75)) $((cy + 30)))
caps_centre=($((cx + 100)) $((cy + 20)))
num_before=$(colour_at "$s" "${num[@]}")
caps_before=$(colour_at "$s" "${caps[@]}")
lit "$caps_before" || fail "Caps light is $caps_before"

step "a double-click on the Caps light flips Caps Lock, and a second flips it back"
double_click "${caps_centre[@]}"
settle
s=$(shot 2-caps-flipped)
caps_after=$(colour_at "$s" "${caps[@]}")
lit "$caps_after" && [ "$caps_after" != "$caps_before" ] ||
  fail "Caps light went from $caps_before to $caps_after"
[ "$(colour_at "$s" "${num[@]}")" = "$num_before" ] || fail "the Num light changed too"
windows_are 1 || fail "the light's double-click opened the dialog"
double_click "${caps_centre[@]}"
settle
[ "$(colour_at "$(shot 2b-caps-back)" "${caps[@]}")" = "$caps_before" ] || fail "not flipped back"

step "a setting edited in the registry shows at the next tick"
reg_set SHOW_CAPS_TICKBOX 0
settle
s=$(shot 3-caps-hidden)
! lit "$(colour_at "$s" "${caps[@]}")" || fail "the hidden Caps light still shows"
[ "$(colour_at "$s" "${num[@]}")" = "$num_before" ] || fail "the Num light went too"

step "a double-click on the empty place opens the dialog at its stored place"
double_click "${caps_centre[@]}"
wait_windows 2
geometry "$(top_windows | grep -vx "$main")"
[ "$X,$Y,$WIDTH,$HEIGHT" = "500,200,389,302" ] || fail "dialog at $X,$Y ${WIDTH}x$HEIGHT"
dx=$((X + frame_x)) dy=$((Y + frame_y))

step "a click on a box stores it, and the open indicator follows"
click $((dx + 150)) $((dy + 180)) # "Show CAPS-LOCK" at (128, 168)
settle
[ "$(reg_get SHOW_CAPS_TICKBOX)" = 1 ] || fail "SHOW_CAPS_TICKBOX is '$(reg_get SHOW_CAPS_TICKBOX)'"
lit "$(colour_at "$(shot 4-dialog-open)" "${caps[@]}")" || fail "the Caps light did not come back"

step "OK closes the dialog and stores its place"
click $((dx + 312)) $((dy + 232)) # "OK" at (264, 216), 97 x 33
wait_windows 1
stored="$(reg_get AboutMainLeft),$(reg_get AboutMainTop)"
[ "$stored" = "7500,3000" ] || fail "dialog place stored as $stored"

step "O-S-K starts the on-screen keyboard"
click $((cx + 220)) $((cy + 20)) # "O-S-K" at (200, 8), 41 x 25
wait_until test -f "$marker" || fail "osk.exe was not started"

step "closing the window stores the place it was dragged to"
grab_y=$((win_y + frame_y / 2))
xdotool mousemove $((win_x + 60)) $grab_y mousedown 1 sleep 0.2 \
  mousemove $((win_x + 80)) $((grab_y + 15)) sleep 0.2 \
  mousemove $((win_x + 105)) $((grab_y + 30)) sleep 0.3 mouseup 1
settle
geometry "$main"
[ "$X,$Y" = "$((win_x + 45)),$((win_y + 30))" ] || fail "the drag left the window at $X,$Y"
shot 5-moved >/dev/null
wine taskkill /im VESK-LIGHTS.exe >/dev/null 2>&1 || true # WM_CLOSE, as the close button
ended() { ! kill -0 "$pid" 2>/dev/null; }
wait_until ended || fail "the program did not end when its window closed"
pid=
stored="$(reg_get MainLeft),$(reg_get MainTop),$(reg_get MainWidth),$(reg_get MainHeight)"
[ "$stored" = "$((X * 15)),$((Y * 15)),4500,1500" ] || fail "place stored as $stored"
echo "PASS"
