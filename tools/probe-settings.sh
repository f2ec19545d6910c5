#!/usr/bin/env bash
# Usage: tools/probe-settings.sh kill9 N [MAX_MS] | fulldisk | twocopies N | stalelock | strace | bigfile
# Probes of the INI settings file from outside the program (after `cmake --build --preset linux`),
# each on a private Xvfb with openbox from tests/e2e/lib.sh, printing figures rather than passing
# or failing: how the file survives a kill during the save at close, a full disk, two copies
# closing at once, a stale lock file, how much the idle program touches the system, a huge file.
# A geometry is "L T W H", the window's frame in twips (15 a pixel: lib.sh's display is 96 DPI).
# fulldisk mounts a tmpfs, so it needs root.
cd "$(dirname "$0")/.." && source tests/e2e/lib.sh
sub=${1:-}; n=${2:-0}
case "$sub" in kill9 | twocopies | fulldisk | stalelock | strace | bigfile) ;; *) sed -n 2p "$0" >&2; exit 2 ;; esac
export XDG_RUNTIME_DIR="$E2E_TMP/run" && mkdir -m 700 "$XDG_RUNTIME_DIR"  # keeps Qt's note off stderr
e2e_start build/linux/vesk-lights
GEO='^Main(Left|Top|Width|Height)='
stored() { stored_rect Main; }
twips() { read -r l t w h <<<"$(outer_rect "$1")" && echo $((l * 15)) $((t * 15)) $((w * 15)) $((h * 15)); }
place() { xdotool windowmove "$1" $2 $3 windowsize "$1" $4 $5 && sleep 0.3 && twips "$1"; }  # WIN L T W H (px)
# Every line a [section], key=value, blank or ; comment, and a [Settings] section.
parses() { [ "$(grep -Evc '^(\[[^]]+\]|[^]=;[][^=]*=.*|[[:space:]]*|;.*)$' "$1")" = 0 ] && grep -qx '\[Settings\]' "$1"; }
now() { date +%s.%N; }
# SECS: seconds from the close request to the program's end, looked at every 10 ms.
timed_close() {
  local t0 && t0=$(now) && wmctrl -i -c "$MAIN"
  while app_alive && [ "$(echo "$(now) - $t0 < 60" | bc)" = 1 ]; do sleep 0.01; done
  SECS=$(echo "$(now) - $t0" | bc) && app_ends 1 " after its window was closed"
}
range() { sort -n | awk 'NR == 1 {a = $1} {b = $1} END {printf "%.3f-%.3f s", a, b}'; }

case "$sub" in
kill9)  # Torn: the four stored keys are not, all together, the set stored before the round, A or B.
  [ "$n" -ge 1 ] || fail "kill9 N"
  start_app && A=$(place "$MAIN" 100 120 400 150) && close_app
  start_app && B=$(place "$MAIN" 300 260 520 210) && close_app
  broken=0 torn=0 missing=0 saved=0
  for i in $(seq "$n"); do
    prev=$(stored)
    start_app && if ((i % 2)); then want=$(place "$MAIN" 100 120 400 150); else want=$(place "$MAIN" 300 260 520 210); fi
    [ "$want" = "$A" ] || [ "$want" = "$B" ] || note "round $i: the window took $want, not A or B"
    wmctrl -i -c "$MAIN" && sleep "$(printf '0.%03d' $((RANDOM % ${3:-31})))" && kill -9 "$E2E_APP_PID" 2>/dev/null || true
    wait "$E2E_APP_PID" 2>/dev/null || true && E2E_APP_PID=""
    if [ ! -f "$INI" ]; then missing=$((missing + 1)) && continue; fi
    parses "$INI" || { broken=$((broken + 1)) && note "round $i: does not parse:" && head -c 300 "$INI"; }
    got=$(stored)
    [ "$got" != "$want" ] || saved=$((saved + 1))
    case "$got" in "$prev" | "$A" | "$B") ;; *) torn=$((torn + 1)) && note "round $i: torn: $got (before $prev)" ;; esac
  done
  echo "kill9: rounds=$n A=[$A] B=[$B] unparsable=$broken torn=$torn missing=$missing new-geometry-saved=$saved leftover-temp-files=$(ls "$INI".saving-?????? 2>/dev/null | wc -l)"
  ;;
fulldisk)  # Free space on the settings folder's own tmpfs, with the file in place before the start.
  dir=$(dirname "$INI")
  for kb in 0 4 8; do
    mount -t tmpfs -o size=64k tmpfs "$dir" || fail "cannot mount a tmpfs (root needed)"
    write_ini MainLeft=1500 MainTop=1500 MainWidth=3840 MainHeight=990 "" "[Mine]" \
      $(for k in $(seq -w 60); do echo "Note$k=the user's own line $k, kept as written by hand, long enough to need two pages"; done)
    cp "$INI" "$E2E_TMP/before"
    avail=$(df -k --output=avail "$dir" | tail -1)
    [ $((avail - kb)) -le 0 ] || dd if=/dev/zero of="$dir/filler" bs=1k count=$((avail - kb)) status=none 2>/dev/null || true
    free=$(df -k --output=avail "$dir" | tail -1 | tr -d ' ')
    start_app && want=$(place "$MAIN" 200 210 420 160) && close_app
    if cmp -s "$INI" "$E2E_TMP/before"; then verdict="byte-identical to before"
    elif [ "$(stored)" = "$want" ] && diff <(grep -Ev "$GEO" "$INI") <(grep -Ev "$GEO" "$E2E_TMP/before") >/dev/null; then
      verdict="fully saved, every other line kept"
    else verdict="NEITHER: stored [$(stored)], $(wc -c <"$INI") bytes, parses=$(parses "$INI" && echo yes || echo no)"; fi
    echo "fulldisk: ${kb} KB asked (${free} KB free), file $(wc -c <"$E2E_TMP/before") bytes: $verdict;" \
      "temp files left: $(ls "$INI".saving-?????? 2>/dev/null | wc -l);" \
      "stderr $(grep -c . "$E2E_TMP/app.err" || true) line(s):"
    sed 's/^/    /' "$E2E_TMP/app.err"
    umount "$dir"
  done
  ;;
twocopies)  # Mixed: each key is one window's value, but not all four from the same window.
  [ "$n" -ge 1 ] || fail "twocopies N"
  mixed=0 other=0
  for i in $(seq "$n"); do
    start_app && p1=$E2E_APP_PID w1=$MAIN && g1=$(place "$w1" 110 130 410 155)
    "$E2E_EXE" >/dev/null 2>"$E2E_TMP/app2.err" & p2=$!
    wait_for 10 "the second copy's window did not appear" windows_shown 2
    sleep 0.3 && w2=$(second_window) && g2=$(place "$w2" 330 270 530 215)
    wmctrl -i -c "$w1" & c1=$!; wmctrl -i -c "$w2" & c2=$!; wait $c1 $c2
    for p in $p1 $p2; do E2E_APP_PID=$p && app_ends 10 " (copy $p)"; done
    read -r -a s <<<"$(stored)"; read -r -a a <<<"$g1"; read -r -a b <<<"$g2"
    case "$(stored)" in "$g1" | "$g2") ;; *)
      ok=1 && for k in 0 1 2 3; do [ "${s[k]}" = "${a[k]}" ] || [ "${s[k]}" = "${b[k]}" ] || ok=0; done
      if ((ok)); then mixed=$((mixed + 1)); else other=$((other + 1)); fi
      note "round $i: stored [$(stored)] from [$g1] and [$g2]" ;; esac
  done
  echo "twocopies: rounds=$n mixed=$mixed neither-window=$other"
  ;;
stalelock)
  for lock in stale none; do
    for _ in 1 2 3 4 5; do
      if [ $lock = stale ]; then echo 4242 >"$INI.lock"; else rm -f "$INI.lock"; fi
      start_app && place "$MAIN" 150 150 400 150 >/dev/null && timed_close && echo "$SECS"
    done | range | sed "s/^/stalelock: lock=$lock close-to-exit over 5 runs: /" && echo
  done
  ;;
strace)
  start_app && timeout -s INT 10 strace -c -f -p "$E2E_APP_PID" -o "$E2E_TMP/strace" || true
  cat "$E2E_TMP/strace"
  timeout -s INT 10 strace -f -e trace=all -p "$E2E_APP_PID" -o "$E2E_TMP/calls" || true
  echo "strace: calls naming settings.ini over a second 10 s: $(grep -c 'settings\.ini' "$E2E_TMP/calls" || true)"
  close_app
  ;;
bigfile)
  { echo "[Settings]" && echo MainLeft=1500 && echo MainTop=1500 && echo MainWidth=3840 && echo MainHeight=990 && echo "[Big]"
    awk 'BEGIN { while (n < 50 * 2^20) { l = sprintf("Key%07d=a value, long enough for fifty MB\n", i++); n += length(l); printf "%s", l } }'; } >"$INI"
  cp "$INI" "$E2E_TMP/before"
  size=$(wc -c <"$INI") && t0=$(now) && start_app && up=$(echo "$(now) - $t0" | bc)
  want=$(place "$MAIN" 200 210 420 160) && timed_close
  echo "bigfile: $size bytes; start to window+0.3 s: $up s; close to exit: $SECS s;" \
    "stored [$(stored)] want [$want]; size after $(wc -c <"$INI");" \
    "other lines kept: $(cmp -s <(grep -Ev "$GEO" "$INI") <(grep -Ev "$GEO" "$E2E_TMP/before") && echo yes || echo no); stderr: $(cat "$E2E_TMP/app.err")"
  ;;
esac
