#!/usr/bin/env bash
# The end of a session saves like closing: each signal a session ends with stores the place of
# the open windows; a stored size far beyond the screen comes back at a reachable default size;
# losing the display ends the program.
. "$(dirname "$0")/lib.sh"
e2e_start "$1"

ended_by() {
  kill -"$1" "$E2E_APP_PID"
  wait_for 10 "the program did not end on SIG$1" app_ended
  wait "$E2E_APP_PID" || fail "the program ended with status $? on SIG$1"
  E2E_APP_PID=""
}

x=100
for sig in TERM HUP INT; do
  write_ini MainLeft=1500 MainTop=1500
  start_app
  x=$((x + 37))
  xdotool windowmove "$MAIN" "$x" 211
  sleep 0.5
  place=$(outer_rect "$MAIN")
  ended_by "$sig"
  expect_stored_rect Main "$place"
done

# With the settings dialog open, both windows store their places (whole pixels at 96 DPI, so
# that an unmoved window's twips and its pixels agree).
write_ini MainLeft=1500 MainTop=1500 AboutMainLeft=4500 AboutMainTop=4500
start_app
double_click "$MAIN" 3600 60
wait_for 5 "the settings dialog did not open" windows_shown 2
dialog=$(second_window)
sleep 0.5
dialog_place=$(outer_rect "$dialog")
main_place=$(outer_rect "$MAIN")
ended_by TERM
expect_stored_rect AboutMain "$dialog_place"
expect_stored_rect Main "$main_place"

# 1,000,000 twips is far beyond the 1280x1024 screen; 3e38 is no number of pixels.
for size in "MainWidth=1000000 MainHeight=1000000" "MainWidth=3e38 MainHeight=3e38"; do
  write_ini MainLeft=1500 MainTop=1500 $size
  start_app
  read -r left top width height <<<"$(outer_rect "$MAIN")"
  [ "$left" -ge 0 ] && [ "$top" -ge 0 ] && [ "$width" -le 1280 ] && [ "$height" -le 1024 ] &&
    [ "$width" -gt 100 ] || fail "with $size the window is at '$left $top $width $height'"
  close_app
  [ "$(ini_value MainWidth)" -le $((1280 * 15)) ] || fail "with $size stored $(ini_value MainWidth)"
done

# Losing the display ends the program instead of leaving it hanging.
start_app
kill "${E2E_PIDS[0]}"
wait_for 10 "the program did not end when its display went away" app_ended
E2E_APP_PID=""
note "passed"
