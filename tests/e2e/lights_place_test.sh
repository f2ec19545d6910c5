#!/usr/bin/env bash
# The indicator starts at its stored outer place and size, and a value that is not a number
# does not stop it: that one key takes its default.
. "$(dirname "$0")/lib.sh"
e2e_start "$1"

# 15 twips a pixel: 100,80 300x100.
write_ini MainLeft=1500 MainTop=1200 MainWidth=4500 MainHeight=1500
start_app
rect=$(outer_rect "$MAIN")
[ "$rect" = "100 80 300 100" ] || fail "outer rectangle is '$rect', stored '100 80 300 100'"
close_app

write_ini MainLeft=abc MainTop=1500 MainWidth=4500 MainHeight=1500
start_app
sleep 1
app_running || fail "the program ended on MainLeft=abc"
read -r left top width height <<<"$(outer_rect "$MAIN")"
# The default left edge, 1000 twips, is 66.7 pixels.
if [ "$left" -lt 66 ] || [ "$left" -gt 67 ]; then
  fail "left edge $left, not the default 1000 twips"
fi
[ "$top $width $height" = "100 300 100" ] || fail "top/size '$top $width $height', stored '100 300 100'"
grep -q MainLeft "$E2E_TMP/app.err" || fail "nothing on stderr names MainLeft"
[ "$(ini_value MainLeft)" = abc ] || fail "the stored MainLeft was rewritten on its own"
note "passed"
