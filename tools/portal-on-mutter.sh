#!/usr/bin/env bash
# One run on a real GNOME compositor: headless mutter with xdg-desktop-portal-gnome. The program
# runs on mutter's Xwayland; a double-click on its Caps light asks the RemoteDesktop portal, the
# consent dialog is accepted through AT-SPI, and a letter typed into a Qt Wayland text field
# (tools/text-field) comes out in upper case. Prints the portal calls seen on the bus, in order.
# Usage (after `make linux` and `cmake --build --preset linux --target text-field`):
#   tools/portal-on-mutter.sh [BUILD_DIR]
# Needs: mutter, xwayland, xdg-desktop-portal-gnome, at-spi2-core, python3-pyatspi, xdotool.
set -euo pipefail
if [ -z "${VESK_IN_SESSION:-}" ]; then
  export VESK_IN_SESSION=1 XDG_RUNTIME_DIR
  XDG_RUNTIME_DIR=$(mktemp -d)  # 0700, as a session's runtime folder must be
  exec dbus-run-session -- "$0" "$@"
fi
build=$(realpath "${1:-build/linux}")
tmp=$XDG_RUNTIME_DIR
cd "$tmp"
pids=()
trap 'kill "${pids[@]}" 2>/dev/null; wait 2>/dev/null; fusermount -u "$tmp/doc" 2>/dev/null; rm -rf "$tmp"' EXIT
wait_for() { local n=$1; shift; until "$@"; do n=$((n - 1)); [ $n -gt 0 ] || { echo "timed out: $*" >&2; return 1; }; sleep 0.2; done; }
say() { echo "== $*"; }

export XDG_CURRENT_DESKTOP=GNOME WAYLAND_DISPLAY=vesk-mutter XDG_SESSION_TYPE=wayland
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 NO_AT_BRIDGE=0
/usr/libexec/at-spi-bus-launcher --launch-immediately &
pids+=($!)
mutter --headless --wayland --virtual-monitor 1280x800 --wayland-display=$WAYLAND_DISPLAY >mutter.log 2>&1 &
pids+=($!)
wait_for 50 grep -q "Using public X11 display" mutter.log
DISPLAY=$(sed -n 's/.*Using public X11 display \(:[0-9]*\),.*/\1/p' mutter.log)
XAUTHORITY=$(ls "$tmp"/.mutter-Xwaylandauth.*)
export DISPLAY XAUTHORITY
dbus-update-activation-environment WAYLAND_DISPLAY XDG_CURRENT_DESKTOP XDG_RUNTIME_DIR DISPLAY XAUTHORITY
say "mutter on $WAYLAND_DISPLAY, its Xwayland on $DISPLAY"

# Every call to the portal and every answer; the program's are listed at the end.
dbus-monitor --session "interface='org.freedesktop.portal.RemoteDesktop'" \
  "interface='org.freedesktop.portal.Session'" "interface='org.freedesktop.portal.Request'" \
  "interface='org.freedesktop.host.portal.Registry'" "member='GetAll',path='/org/freedesktop/portal/desktop'" \
  >bus.log 2>&1 &
pids+=($!)

# The helper: accepts the portal's consent dialog through AT-SPI, and types a key through
# mutter's own remote-desktop interface (one session on one connection, as mutter wants).
cat >helper.py <<'PY'
import sys, time
if sys.argv[1] == 'accept':
    import pyatspi
    def find(node, role, name):
        if node is None: return None
        if node.getRole() == role and name in (node.name, node.name.split(' ')[-1]): return node
        for child in node:
            got = find(child, role, name)
            if got: return got
    for _ in range(40):
        for app in pyatspi.Registry.getDesktop(0):
            box = find(app, pyatspi.ROLE_CHECK_BOX, 'Allow remote interaction')
            share = find(app, pyatspi.ROLE_PUSH_BUTTON, 'Share')
            if box and share:
                if not box.getState().contains(pyatspi.STATE_CHECKED): box.queryAction().doAction(0)
                time.sleep(0.3)
                share.queryAction().doAction(0)
                print('accepted the dialog of', app.name); sys.exit(0)
        time.sleep(0.2)
    def dump(node, depth=0):
        print('  ' * depth, node.getRoleName(), repr(node.name))
        for child in node: dump(child, depth + 1)
    dump(pyatspi.Registry.getDesktop(0))
    sys.exit('no consent dialog')
import dbus
bus = dbus.SessionBus()
rd = dbus.Interface(bus.get_object('org.gnome.Mutter.RemoteDesktop', '/org/gnome/Mutter/RemoteDesktop'), 'org.gnome.Mutter.RemoteDesktop')
session = dbus.Interface(bus.get_object('org.gnome.Mutter.RemoteDesktop', rd.CreateSession()), 'org.gnome.Mutter.RemoteDesktop.Session')
session.Start()
# Clients hear of the new keyboard only at its first event: a Shift first, then the keys.
for code in [42] + [None] + sys.argv[2:]:
    if code is None: time.sleep(1); continue
    session.NotifyKeyboardKeycode(dbus.UInt32(int(code)), True); session.NotifyKeyboardKeycode(dbus.UInt32(int(code)), False)
time.sleep(1)
session.Stop()
PY

# A new text field takes the keyboard focus; the letter is typed until it shows there.
type_a() {
  QT_QPA_PLATFORM=wayland "$build/tools/text-field" >field.txt 2>field.err &
  local field=$!
  sleep 2
  for try in 1 2 3; do /usr/bin/python3 helper.py type 30; grep -q . field.txt && break; done
  kill $field
  [ -z "${WAYLAND_DEBUG:-}" ] || grep -E "wl_keyboard|capabilities" field.err
  say "typed a $1: '$(tail -1 field.txt)'"
}
type_a "before any flip"

"$build/vesk-lights" >app.out 2>app.err &
pids+=($!)
wait_for 50 xdotool search --onlyvisible --name '^VESK-LIGHTS$' >/dev/null
main=$(xdotool search --onlyvisible --name '^VESK-LIGHTS$' | head -1)
sleep 1
say "double-click on the Caps light"
xdotool mousemove --window "$main" 100 20 click --repeat 2 --delay 80 1
/usr/bin/python3 helper.py accept
type_a "after the flip"
say "double-click again, within 10 s of the last press: no dialog"
xdotool mousemove --window "$main" 100 20 click --repeat 2 --delay 80 1
type_a "after the second flip"
say "waiting 11 s for the idle close"
sleep 11
say "the portal calls seen on the bus, in order (the program's, and the answers to it):"
awk -v me="$(sed -n 's/.*sender=\(:[0-9.]*\) .*member=Register.*/\1/p' bus.log | head -1)" '
  function flush() { if (line != "") print line args; line = "" }
  function field(name,   i, v) {
    for (i = 1; i <= NF; i++) if (index($i, name "=") == 1) { v = substr($i, length(name) + 2); sub(/;$/, "", v); return v }
    return ""
  }
  /^(method call|signal)/ {
    flush(); args = ""; id = substr(me, 2); gsub(/\./, "_", id)
    mine = field("sender") == me || index(field("path"), "/" id "/") > 0
    if (mine && field("member") != "NameAcquired" && field("member") != "NameLost")
      line = sprintf("%-12s %-22s %s", $1 == "signal" ? "signal" : "call", field("member"), field("path"))
    next
  }
  /^   (int32|uint32) / { args = args " " $2 }
  END { flush() }' bus.log
say "the program's stderr:"; cat app.err

