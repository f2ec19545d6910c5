# Plays scenarios.txt with the functions of a driver, which defines: store_reset K=V...,
# store_set K V, store_get K (empty when absent), app_start, app_close, app_alive,
# user_move W L T, osk_started, other_window (sets OTHER), right_click W X Y, autostart_entry,
# autostart_want, tray_start, key_press K, icon_menu KEY, signal_sent SIG and display_lost, each
# giving 2 where it cannot play (TRAY_COLOURS=unseen: the icon's colours cannot be checked); lib.sh gives the rest (rect, outer_rect, light_is, click...).
# Usage, from a driver: play_scenarios [NAME_REGEX]

colour_of() { case $1 in red) echo $RED ;; green) echo $GREEN ;; grey) echo C0C0C0 ;; *) echo none ;; esac; }
light_shows() {
  if [ "$3" = none ]; then light_hidden "$1" "$2"; else light_is "$1" "$2" "$(colour_of "$3")"; fi
}
stored_is() { [ "$(store_get "$1")" = "$2" ]; }
autostart_is() { [ "$(autostart_entry)" = "$([ "$1" = off ] || autostart_want)" ]; }
notice_shown() { xdotool search --onlyvisible --name "^$*\$" >/dev/null 2>&1; }
notice_gone() { ! notice_shown "$@"; }
reachable() {
  local l t w h sw sh
  read -r l t w h <<<"$1"
  read -r sw sh < <(xwininfo -root | awk '/^ *Width:/ {w=$NF} /^ *Height:/ {h=$NF} END {print w, h}')
  [ "$l" -ge 0 ] && [ "$t" -ge 0 ] && [ $((l + w)) -le "$sw" ] && [ $((t + h)) -le "$sh" ] && [ "$w" -gt 100 ]
}

play_step() {
  local verb=$1
  shift
  case $verb in
    settings) store_reset "$@" ;;
    set) store_set "${1%%=*}" "${1#*=}" ;;
    start) app_start ;;
    close) app_close ;;
    light) wait_for 8 "the $1 $2 light is not $3" light_shows "$@" ;;
    dblclick) double_click "$MAIN" "$1" "$2" ;;
    click) click "$([ "$1" = main ] && echo "$MAIN" || second_window)" "$2" "$3" ;;
    windows) wait_for 3 "not $1 window(s) shown" windows_shown "$1" ;;
    stored) wait_for 2 "$1 is stored as '$(store_get "$1")', not '$2'" stored_is "$1" "${2%none}" ;;
    frame)
      local got
      got=$(outer_rect "$MAIN")
      [ "$got" = "$*" ] || fail "the frame is at '$got', not '$*'"
      ;;
    move) user_move "$MAIN" "$1" "$2" && CLOSED_AT=$(outer_rect "$MAIN") ;;
    stored-frame) expect_stored_rect "$1" "$CLOSED_AT" ;;
    frame-as-moved) play_step frame $CLOSED_AT ;;
    osk) wait_for 3 "O-S-K started no ${1:-keyboard}" osk_started "${1:-}" ;;
    other-window) other_window ;;
    above) wait_for 3 "$1 is not kept above" above "$(window_named "$1")" ;;
    not-above) wait_for 3 "$1 is still kept above" not_above "$(window_named "$1")" ;;
    alive) app_alive || fail "the program ended" ;;
    menu) right_click "$MAIN" "$1" "$2" && xdotool key "$3" ;;
    autostart) wait_for 10 "the autostart entry is '$(autostart_entry)', not $1" autostart_is "$1" ;;
    tray) tray_start ;;
    docked) wait_for 10 "no icon docked in the tray" tray_has_icon ;;
    tray-caps)
      [ "${TRAY_COLOURS:-}" != unseen ] || return 3
      wait_for 3 "the icon does not show Caps Lock $1" tray_caps_is "$(colour_of "$1")" ;;
    key) key_press "$1" ;;
    notice) wait_for 3 "no notice '$*'" notice_shown "$*" ;;
    no-notice) sleep 0.5 && ! notice_shown "$*" || fail "a notice '$*'" ;;
    notice-gone) wait_for 3 "the notice '$*' stayed" notice_gone "$*" ;;
    icon-menu) icon_menu "$1" ;;
    signal) signal_sent "$1" ;;
    reachable) reachable "$(outer_rect "$MAIN")" || fail "the frame is at '$(outer_rect "$MAIN")'" ;;
    display-lost) display_lost ;;
    wayland) wayland_session ;;
    led) set_led "$@" ;;
    no-leds) rm -rf "${LEDS:?}"/* ;;
    x-lock) led "$1 Lock" "$2" || fail "X's $1 Lock is not $2" ;;
    said) [ "$(grep -c "$*" "$E2E_TMP/app.err")" = 1 ] || fail "the program did not say '$*' once" ;;
    pause) sleep "$1" ;;
    ended)
      wait_for 5 "the program did not end" app_ended
      wait "$E2E_APP_PID" || fail "the program ended with status $?"
      E2E_APP_PID=""
      ;;
    *) fail "unknown step '$verb'" ;;
  esac
}

window_named() { case $1 in main) echo "$MAIN" ;; dialog) second_window ;; *) echo "$OTHER" ;; esac; }
# A scenario that stops early may leave the dialog open, which holds the indicator's close.
app_close_if_running() {
  app_alive || return 0
  local dialog
  dialog=$(second_window) || true
  [ -z "$dialog" ] || { wmctrl -i -c "$dialog" && wait_for 5 "the dialog did not close" windows_shown 1; }
  app_close
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
      [ $status -eq 0 ] || { note "$name: skipped from '${words[*]}' on"; app_close_if_running; name=""; }
    fi
  done <"$(dirname "${BASH_SOURCE[0]}")/scenarios.txt"
  [ -z "$name" ] || app_close_if_running
  [ "$played" -gt 0 ] || fail "no scenario matches '${1:-}'"
  note "played $played scenario(s)"
}
