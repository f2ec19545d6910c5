#!/usr/bin/env bash
# "Always On Top": the keeper takes keep-above from the active window of another program and
# gives it to the indicator; with the option off it leaves windows alone.
. "$(dirname "$0")/lib.sh"
e2e_start "$1"

start_logo() {
  xlogo -geometry 200x200+400+300 >/dev/null 2>&1 &
  E2E_PIDS+=($!)
  LOGO_PID=$!
  wait_for 5 "xlogo did not appear" sh -c 'xdotool search --onlyvisible --classname xlogo >/dev/null'
  LOGO=$(xdotool search --onlyvisible --classname xlogo | head -1)
  wmctrl -r xlogo -b add,above
  xdotool windowactivate --sync "$LOGO"
  wait_for 2 "xlogo is not above" above "$LOGO"
}

# Off (the default): the indicator is an ordinary window.
start_app
start_logo
sleep 2
above "$LOGO" || fail "with the option off, xlogo lost its keep-above"
not_above "$MAIN" || fail "with the option off, the indicator is kept above"
close_app
kill "$LOGO_PID"
wait_for 5 "xlogo did not end" sh -c '! xdotool search --onlyvisible --classname xlogo >/dev/null'

write_ini ALWAYS_ON_TOP_TICKBOX=1
start_app
start_logo
wait_for 3 "the keeper did not take keep-above from the active xlogo" not_above "$LOGO"
wait_for 2 "the keeper did not keep the indicator above" above "$MAIN"
note "passed"
