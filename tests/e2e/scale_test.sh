#!/usr/bin/env bash
# At the scale a desktop sets ($2: Xft.dpi, or Xft.dpi x QT_SCALE_FACTOR), a twip is 1/1440 of a
# logical inch in device pixels. Starts and closes with nothing moved show and store the same
# place and size every time (three round trips), for the indicator and for
# the settings dialog, and the default place is stored as given. A restored place on the
# screen's far side stays; one off every screen, with a size below the frame's minimum, comes
# back at the default place and size.
. "$(dirname "$0")/lib.sh"
IFS=x read -r xft factor <<<"$2"
[ -z "$factor" ] || export QT_SCALE_FACTOR=$factor
dpi=$(awk -v d="$xft" -v f="${factor:-1}" 'BEGIN {print d * f}')
e2e_start "$1" "$xft"

for start in 1 2 3; do
  start_app
  main=$(outer_rect "$MAIN")
  double_click "$MAIN" 45 45  # the background above the Num light
  wait_for 5 "no dialog opened on a double-click on the background" windows_shown 2
  sleep 0.3
  dialog=$(outer_rect "$(second_window)")
  wmctrl -i -c "$(second_window)"
  wait_for 5 "the dialog did not close" windows_shown 1
  close_app
  seen="$main / $dialog pixels, stored $(stored_rect Main) / $(stored_rect AboutMain)"
  note "$2 dpi, start $start: $seen"
  [ "$start" = 2 ] || first=$seen default=$main
  [ "$seen" = "$first" ] || fail "start $start: $seen; start 1: $first"
done
# Stored as given only where the window was on the very pixel the default place names.
[ "$(stored_rect Main | cut -d' ' -f1-2) $(stored_rect AboutMain | cut -d' ' -f1-2)" = "1000 1000 1000 1000" ] ||
  fail "the default places came back as $(stored_rect Main) / $(stored_rect AboutMain)"

far=$(xdotool getdisplaygeometry | awk -v dpi="$dpi" '{print int($1 * 0.6 * 1440 / dpi), int($2 * 0.6 * 1440 / dpi)}')
write_ini MainLeft="${far% *}" MainTop="${far#* }"
start_app
# Each pixel of the place within a device pixel of its twips.
awk -v dpi="$dpi" -v px="$(outer_rect "$MAIN")" -v tw="$far" 'BEGIN { split(px, p); split(tw, t)
  for (i = 1; i <= 2; i++) if ((d = p[i] - t[i] * dpi / 1440) > 1 || d < -1) exit 1 }' ||
  fail "a window restored at $far twips came at $(outer_rect "$MAIN") device pixels"
close_app
write_ini MainLeft=-90000 MainTop=90000 MainWidth=30 MainHeight=30
start_app
[ "$(outer_rect "$MAIN")" = "$default" ] || fail "a window off every screen came back at $(outer_rect "$MAIN"), not $default"
close_app
