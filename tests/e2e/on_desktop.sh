# The scenarios on a real compositor, DESKTOP: mutter, kwin or sway with the program on Xwayland,
# or mutter-wayland and sway-wayland with the program native. Sourced by linux.sh over its Xvfb
# functions. The session is a Wayland one: the lights come from a tree of keyboard LEDs.
. "$(dirname "${BASH_SOURCE[0]}")/desktops.sh"

desktop_e2e_start() {
  E2E_EXE=$1
  desktop_start "${DESKTOP%-wayland}" "$([ "$DESKTOP" = "${DESKTOP%-wayland}" ] || echo native)" ||
    fail "$DESKTOP did not start"
  wayland_session
}
# As linux.sh's, with the compositor's own display.
eval "xvfb_$(declare -f wayland_session)"
wayland_session() { local display=$WAYLAND_DISPLAY && xvfb_wayland_session && WAYLAND_DISPLAY=$display; }

# Natively, the libraries' own leaks (lsan.supp) show by their whole stacks only: the frame
# pointers stop in libwayland-client, and Mesa's driver is unloaded before the leak check.
[ "$DESKTOP" = "${DESKTOP%-wayland}" ] || export ASAN_OPTIONS=${ASAN_OPTIONS:+$ASAN_OPTIONS:}fast_unwind_on_malloc=0

# Xwayland draws no root window: a light is read from the window's own pixels.
light_is() { set -- ${LIGHT[$1.$2]} "$3" && [[ $(colours "1x1+$(($1 / 15))+$(($2 / 15))" "$MAIN") == $3 ]]; }

case $DESKTOP in
  sway)
    # sway's Xwayland offers no _NET_CLOSE_WINDOW: sway closes an X window by its id.
    wmctrl() { if [ "$1 $2" = "-i -c" ]; then swaymsg -q "[id=$(($3))] kill"; else command wmctrl "$@"; fi; } ;;
  sway-wayland)
    # Native windows, seen in sway's tree and on grim's screenshots; the headless seat has no
    # pointer for them.
    sway_windows() {
      swaymsg -t get_tree | jq -r --arg app "$VESK_APP_ID" '.. | objects | select(.app_id? == $app and .visible)
        | "\(.id) \(.rect.x + .window_rect.x) \(.rect.y + .window_rect.y) \(.window_rect.width) \(.window_rect.height) \(.type)"'
    }
    visible_windows() { sway_windows | cut -d' ' -f1; }
    rect() { sway_windows | awk -v id="$1" '$1 == id { print $2, $3, $4, $5 }'; }  # outer too
    window_shot() { grim -g "$(rect "$1" | awk '{print $1 "," $2, $3 "x" $4}')" -t ppm -; }
    colours() { window_shot "$2" | convert ppm:- -crop "$1" -depth 8 txt:- | sed -n 's/.*#\([0-9A-Fa-f]\{6\}\).*/\1/p'; }
    close_app() { swaymsg -q "[con_id=$MAIN] kill" && app_ends 10 " after its window was closed"; }
    settled() { return 2; }
    key_press() { return 2; }
    floating_shown() { sway_windows | grep -q "^$MAIN .* floating_con$" || fail "the window does not float"; }
    sway_does() { swaymsg -q "$@"; } ;;
  mutter-wayland)
    # mutter's headless backend shows nothing of a native window: the program is up once mutter
    # has configured its window (Qt's log), and closes as at the session's end.
    export QT_LOGGING_RULES="qt.qpa.wayland.debug=true"
    visible_windows() { ! grep -qs "xdg_toplevel.configure" "$E2E_TMP/app.err" || echo native; }
    close_app() { sleep 2 && kill -TERM "$E2E_APP_PID" && app_ends 10 " after SIGTERM"; } ;;
esac
