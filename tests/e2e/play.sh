# Plays scenarios.txt with the functions of a driver: lib.sh's (app_start, app_launch, store_get,
# rect, click...) and the driver's own store_reset K=V..., store_set K V, user_move W L T,
# osk_started [NAME], autostart_entry and autostart_want, screen_reader (which logs announced
# changes to $E2E_TMP/heard) and reader_lines. A step whose function a driver lacks
# (other_window, which sets OTHER, signal_sent SIG, display_lost, wayland_session, minimise,
# portal_start MODE VERSION, portal_calls CALL..., floating_shown, sway_does CMD) or that gives 2
# (icon_menu KEY, on DESKTOP... where DESKTOP, xvfb unless set, is not named) cannot be played
# there; TRAY_COLOURS=unseen says the icon's colours cannot be checked.
# Usage, from a driver: play_scenarios [NAME_REGEX]

# Steps that are one call of a function, with the step's words.
declare -A CALL=([settings]=store_reset [start]=app_start [close]=close_app [tray]=start_tray
  [key]=key_press [icon-menu]=icon_menu [led]=set_led [pause]=sleep [other-window]=other_window
  [signal]=signal_sent [display-lost]=display_lost [wayland]=wayland_session [minimise]=minimise
  [portal]=portal_start [portal-calls]=portal_calls [menu-key]=menu_key [reader]=screen_reader
  [floating]=floating_shown [sway]=sway_does)
colour_of() { case $1 in red) echo $RED ;; green) echo $GREEN ;; grey) echo C0C0C0 ;; *) echo "!($RED|$GREEN)" ;; esac; }
stored_is() { [ "$(store_get "$1")" = "$2" ]; }
twips() { echo $(($1 * 15)) $(($2 * 15)) $(($3 * 15)) $(($4 * 15)); }
autostart_is() { [ "$(autostart_entry)" = "$([ "$1" = off ] || autostart_want)" ]; }
notice_shown() { xdotool search --onlyvisible --name "^$*\$" >/dev/null 2>&1; }
# The frame "l t w h" lies on the screen, and is more than 100 px wide.
reachable() {
  awk -v s="$(xdotool getdisplaygeometry)" '{ split(s, d, " ")
    exit !($1 >= 0 && $2 >= 0 && $1 + $3 <= d[1] && $2 + $4 <= d[2] && $3 > 100) }' <<<"$1"
}
running() { kill -0 "$1" 2>/dev/null; }
# Within 5 s the copy with this process id has ended, with status 0.
copy_ends() { wait_for 5 "a copy did not end" not running "$1" && { wait "$1" || fail "a copy ended with status $?"; }; }
# How many lines of a screen reader's (FILE) say TEXT: "name | state", or the whole line
# "[role] name | state".
reads() { awk -v t="$2" '$0 == t || substr($0, index($0, "] ") + 2) == t { n++ } END { print n + 0 }' "$1"; }
# Whether it reads TEXT from one shown object alone; what it reads is printed when that changes.
spoken() {
  reader_lines >"$E2E_TMP/read" 2>/dev/null
  cmp -s "$E2E_TMP/read" "$E2E_TMP/read.last" ||
    { note "a screen reader reads:" && sed 's/^/    /' "$E2E_TMP/read" && cp "$E2E_TMP/read" "$E2E_TMP/read.last"; }
  [ "$(reads "$E2E_TMP/read" "$1")" = 1 ]
}
heard() { [ "$(reads "$E2E_TMP/heard" "$1")" -gt 0 ]; }  # since the last change heard
window_named() { case $1 in main) echo "$MAIN" ;; dialog) second_window ;; *) echo "$OTHER" ;; esac; }
CALL+=([icon-click]=icon_click [tray-gone]=tray_gone)
frame_is() { [ "$(outer_rect "$1")" = "${*:2}" ]; }

play_step() {
  local verb=$1
  shift
  if [ -n "${CALL[$verb]:-}" ]; then
    command -v "${CALL[$verb]}" >/dev/null || return 2
    "${CALL[$verb]}" "$@"
    return
  fi
  case $verb in
    set) store_set "${1%%=*}" "${1#*=}" ;;
    light) wait_for 8 "the $1 $2 light is not $3" light_is "$1" "$2" "$(colour_of "$3")" ;;
    dblclick) double_click "$MAIN" "$1" "$2" ;;
    click) click "$(window_named "$1")" "$2" "$3" ;;
    windows) wait_for 3 "not $1 window(s) shown" windows_shown "$1" ;;
    stored) wait_for 2 "$1 is stored as '$(store_get "$1")', not '$2'" stored_is "$1" "${2%none}" ;;
    on) [[ " $* " == *" ${DESKTOP:-xvfb} "* ]] || return 2 ;;  # not a desktop it plays on
    frame) wait_for 2 "the frame is at '$(outer_rect "$MAIN")', not '$*'" frame_is "$MAIN" "$*" ;;
    dialog-frame) wait_for 2 "the dialog is at '$(outer_rect "$(second_window)")', not '$*'" frame_is "$(second_window)" "$*" ;;
    move) user_move "$MAIN" "$1" "$2" && CLOSED_AT=$(outer_rect "$MAIN") ;;
    stored-frame)
      [ "$(stored_rect "$1")" = "$(twips $CLOSED_AT)" ] ||
        fail "$1 is stored as '$(stored_rect "$1")', the window was at '$(twips $CLOSED_AT)' twips" ;;
    frame-as-moved) play_step frame $CLOSED_AT ;;
    osk) wait_for 3 "O-S-K started no ${1:-keyboard}" osk_started "${1:-}" ;;
    above) wait_for 3 "$1 is not kept above" above "$(window_named "$1")" ;;
    not-above) wait_for 3 "$1 is still kept above" not above "$(window_named "$1")" ;;
    alive) app_alive || fail "the program ended" ;;
    menu) right_click "$MAIN" "$1" "$2" && xdotool key "$3" ;;
    autostart) wait_for 10 "the autostart entry is '$(autostart_entry)', not $1" autostart_is "$1" ;;
    docked) wait_for "${1:-10}" "not one icon docked in the tray" tray_has_icon ;;
    tray-caps)
      [ "${TRAY_COLOURS:-}" != unseen ] || return 3
      wait_for 3 "the icon does not show Caps Lock $1" tray_caps_is "$(colour_of "$1")" ;;
    notice) wait_for 3 "no notice '$*'" notice_shown "$*" ;;
    no-notice) sleep 0.5 && ! notice_shown "$*" || fail "a notice '$*'" ;;
    notice-gone) wait_for 3 "the notice '$*' stayed" not notice_shown "$*" ;;
    reachable) reachable "$(outer_rect "$MAIN")" || fail "the frame is at '$(outer_rect "$MAIN")'" ;;
    no-leds) rm -rf "${LEDS:?}"/* ;;
    x-lock) led "$1 Lock" "$2" || fail "X's $1 Lock is not $2" ;;
    spoken) wait_for 3 "a screen reader does not read '$*' once" spoken "$*" ;;
    announced) wait_for 3 "no change to '$*' announced" heard "$*" && : >"$E2E_TMP/heard" ;;
    said) [ "$(grep -c "$*" "$E2E_TMP/app.err")" = 1 ] || fail "the program did not say '$*' once" ;;
    ended) app_ends 5 ;;
    again) app_launch "$@" && copy_ends $! ;;
    starts)
      local pids=() pid
      for _ in $(seq "$1"); do app_launch && pids+=($!); done
      wait_for 20 "no window" windows_shown 1 && MAIN=$(visible_windows) && E2E_APP_PID=$(xdotool getwindowpid "$MAIN")
      for pid in "${pids[@]}"; do [ "$pid" = "$E2E_APP_PID" ] || copy_ends "$pid"; done ;;
    killed) kill -9 "$E2E_APP_PID" && { wait "$E2E_APP_PID" 2>/dev/null; E2E_APP_PID=""; } ;;
    *) fail "unknown step '$verb'" ;;
  esac
}

# A scenario that stops early may leave the dialog open, which holds the indicator's close.
app_close_if_running() {
  app_alive || return 0
  [ -z "$(second_window)" ] || { wmctrl -i -c "$(second_window)" && wait_for 5 "the dialog did not close" windows_shown 1; }
  close_app
}

play_scenarios() {
  local name="" line played=0
  while read -r line; do
    line=${line%%#*}
    read -ra words <<<"$line"
    [ ${#words[@]} -gt 0 ] || continue
    if [ "${words[0]}" = scenario ]; then
      [ -z "$name" ] || app_close_if_running
      name=${words[1]}
      [[ $name =~ ${1:-.} ]] && note "scenario $name" && played=$((played + 1)) || name=""
    elif [ -n "$name" ]; then
      local status=0
      E2E_NAME="$name: ${words[*]}" play_step "${words[@]}" </dev/null || status=$?
      [ $status -ne 3 ] || { note "$name: '${words[*]}' cannot be checked here"; status=0; }
      [ $status -ne 2 ] || { note "$name: skipped from '${words[*]}' on"; app_close_if_running; name=""; }
      [ $status -eq 0 ] || [ $status -eq 2 ] || fail "$name: '${words[*]}' gave status $status"
    fi
  done <"$(dirname "${BASH_SOURCE[0]}")/scenarios.txt"
  [ -z "$name" ] || app_close_if_running
  [ "$played" -gt 0 ] || fail "no scenario matches '${1:-}'"
  note "played $played scenario(s)"
}
