#!/usr/bin/env bash
# "O-S-K" starts the first on-screen keyboard on PATH, which goes on running after the indicator
# has closed.
. "$(dirname "$0")/lib.sh"
mkdir -p "$E2E_TMP/bin"
cat >"$E2E_TMP/bin/onboard" <<SCRIPT
#!/bin/sh
echo \$\$ > "$E2E_TMP/onboard.pid"
exec sleep 20
SCRIPT
chmod +x "$E2E_TMP/bin/onboard"
export PATH="$E2E_TMP/bin:$PATH"
e2e_start "$1"
start_app

# The middle of the button at 3000,120 615x375.
click "$MAIN" 3307 307
wait_for 3 "O-S-K did not start onboard" test -s "$E2E_TMP/onboard.pid"
osk=$(cat "$E2E_TMP/onboard.pid")
E2E_PIDS+=("$osk")
close_app
sleep 0.3
kill -0 "$osk" 2>/dev/null || fail "the on-screen keyboard ended with the indicator"
kill "$osk"
note "passed"
