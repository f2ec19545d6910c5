#!/usr/bin/env bash
# Plays the scenarios with VESK-LIGHTS.exe under Wine on the test display, its settings in the
# prefix's registry and a stand-in osk.exe.   Usage: wine.sh EXE FAKE_OSK [SCENARIO_REGEX]
# Needs WINEPREFIX, DISPLAY and VESK_SCREEN_READER (screen_reader.cpp). Wine draws a tool
# window's frame itself, so an X window is the outer rectangle; the client area's corner is found
# once, from the first lit light.
# Not played here: another program's window (the keeper sees only Wine's own windows), signals
# (Windows ends a session with messages), a lost display, a Wayland session, a desktop without a
# notification area, the icon's menu and a click on it (the docked window does not have the
# icon's place, so a click cannot be aimed), and a minimise by the window manager (Wine ignores
# it for a window without a minimise box, which a user cannot minimise on Windows either).
here=$(dirname "$0")
. "$here/../../e2e/lib.sh"
. "$here/../../e2e/play.sh"
: "${WINEPREFIX:?}" "${DISPLAY:?}"
export WINEDEBUG=-all
EXE=$1
APP='HKCU\Software\VB and VBA Program Settings\TARNWICK-VESK-LIGHTS'
MARKER=$WINEPREFIX/drive_c/windows/system32/vesk-osk-started.txt
cp "$2" "$WINEPREFIX/drive_c/windows/system32/osk.exe"
RUN='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'
trap 'e2e_cleanup; wine reg delete "$APP" /f &>/dev/null || true; wine reg delete "$RUN" /v VESK-LIGHTS /f &>/dev/null || true; rm -f "$MARKER"' EXIT

store_set() { wine reg add "$APP\\Settings" /v "$1" /t REG_SZ /d "$2" /f >/dev/null 2>&1; }
store_get() { wine reg query "$APP\\Settings" /v "$1" 2>/dev/null | tr -d '\r' | awk -v k="$1" '$1 == k { print $3 }'; }
# One reg process for the whole store: a fresh key with these values.
store_reset() {
  {
    printf 'Windows Registry Editor Version 5.00\r\n\r\n[-HKEY_CURRENT_USER%s]\r\n' "${APP#HKCU}"
    [ $# -eq 0 ] || printf '\r\n[HKEY_CURRENT_USER%s\\Settings]\r\n' "${APP#HKCU}"
    for setting in "$@"; do printf '"%s"="%s"\r\n' "${setting%%=*}" "${setting#*=}"; done
  } >"$E2E_TMP/settings.reg"
  # Z: is the prefix's root folder. A CI run once saw the import fail without a word, not
  # seen again in 175 tries here: it gets two more, and its words are shown if all fail.
  for _ in 1 2 3; do
    wine reg import "Z:${E2E_TMP//\//\\}\\settings.reg" >/dev/null 2>"$E2E_TMP/reg.err" && return 0
    sleep 0.5
  done
  echo "reg import failed: $(tr -d '\r' <"$E2E_TMP/reg.err")" >&2
  return 1
}

outer_rect() { xdotool getwindowgeometry --shell "$1" | awk -F= '{v[$1] = $2} END {print v["X"], v["Y"], v["WIDTH"], v["HEIGHT"]}'; }
rect() { outer_rect "$1" | awk -v x="$FRAME_X" -v y="$FRAME_Y" '{print $1 + x, $2 + y, $3 - 2 * x, $4 - y - x}'; }
# The Num light's inside starts one border pixel past its place at (8, 8); false until a light
# is lit.
find_frame() {
  read -r FRAME_X FRAME_Y < <(import -window "$MAIN" -depth 8 txt:- |
    awk -F'[ ,:]+' '/#FF0000 |#00FF00 / { if (x == "" || $1 < x) x = $1; if (y == "" || $2 < y) y = $2 }
      END { if (x != "") print x - 9, y - 9 }')
  [ -n "$FRAME_X" ]
}

app_start() {
  rm -f "$MARKER"
  STARTED=$(date +%s%3N)
  wine "$EXE" </dev/null >/dev/null 2>"$E2E_TMP/app.err" &
  E2E_APP_PID=$!
  wait_for 20 "the indicator window did not appear" windows_shown 1
  MAIN=$(visible_windows | head -1)
  [ -n "${FRAME_X:-}" ] || wait_for 5 "no light is lit" find_frame
}
# With options it would show a message box, which waits for a click.
app_launch() { [ $# = 0 ] || return 2; wine "$EXE" </dev/null >/dev/null 2>>"$E2E_TMP/app.err" & }
# Wine's idea of a window's place lags the window manager's: a click in the first second after
# the start can miss.
settled() {
  sleep "$(awk -v left=$((STARTED + 1200 - $(date +%s%3N))) 'BEGIN { print (left > 0 ? left / 1000 : 0) }')"
}
# A drag of the caption, as the user moves it.
user_move() {
  local l t y
  settled
  read -r l t _ <<<"$(outer_rect "$1")"
  y=$((t + FRAME_Y / 2))
  xdotool mousemove $((l + 60)) $y mousedown 1 sleep 0.2 mousemove $((l + 80)) $((y + 10)) \
    sleep 0.2 mousemove $(($2 + 60)) $(($3 + FRAME_Y / 2)) sleep 0.3 mouseup 1
  wait_for 3 "the drag did not move the window" at_place "$1" "$2 $3"
  sleep 0.3  # and Wine's own idea of the place
}
at_place() { [ "$(outer_rect "$1" | cut -d' ' -f1,2)" = "$2" ]; }
osk_started() { test -f "$MARKER"; }
autostart_entry() { wine reg query "$RUN" /v VESK-LIGHTS 2>/dev/null | tr -d '\r' | sed -n 's/^ *VESK-LIGHTS *REG_SZ *//p'; }
autostart_want() { echo "\"$(winepath -w "$EXE" | tr -d '\r')\""; }
# Wine sees a lock key only through a key event on its own focused window.
key_press() { xdotool windowactivate --sync "$MAIN" 2>/dev/null; xdotool key --window "$MAIN" "$1"; }
# A screen reader through MSAA.
reader_lines() { wine "$VESK_SCREEN_READER" list </dev/null 2>/dev/null | tr -d '\r'; }
screen_reader() {
  wine "${VESK_SCREEN_READER:?}" listen "$(winepath -w "$E2E_TMP/heard" | tr -d '\r')" &>/dev/null &
  E2E_PIDS+=($!)
  wait_for 10 "the screen reader did not start" grep -qs listening "$E2E_TMP/heard"
}
# Wine's embedding can leave a docked icon unpainted until the tray repaints.
TRAY_COLOURS=unseen
icon_menu() { return 2; }
icon_click() { return 2; }
tray_gone() { return 2; }  # Wine's shell keeps a notification area of its own

play_scenarios "${3:-}"
