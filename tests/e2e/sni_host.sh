# The tray steps on a StatusNotifier host: waybar with only its tray module, on a wlroots
# desktop (sway) and the desktop's session bus. The icon is found and driven as a host does:
# through org.kde.StatusNotifierWatcher, the item's Activate for a left click, and its menu
# through com.canonical.dbusmenu (AboutToShow, GetLayout, Event "clicked"). Source it after
# lib.sh; it replaces lib.sh's XEmbed tray steps.

watcher() { busctl --user get-property org.kde.StatusNotifierWatcher /StatusNotifierWatcher org.kde.StatusNotifierWatcher "$1" 2>/dev/null; }
start_tray() {
  echo '{"layer": "top", "height": 26, "modules-left": [], "modules-center": [], "modules-right": ["tray"]}' >"$E2E_TMP/waybar.json"
  waybar -c "$E2E_TMP/waybar.json" >"$E2E_TMP/waybar.log" 2>&1 &
  TRAY_PID=$!
  E2E_PIDS+=($!)
  host_up() { [ "$(watcher IsStatusNotifierHostRegistered)" = "b true" ]; }
  wait_for 10 "waybar did not register as a StatusNotifier host" host_up
}
# ITEM: the registered item, "BUS/PATH".
tray_has_icon() { ITEM=$(watcher RegisteredStatusNotifierItems | grep -o '"[^"]*"' | tr -d '"' | head -1) && [ -n "$ITEM" ]; }
item() { busctl --user "$1" "${ITEM%%/*}" "/${ITEM#*/}" org.kde.StatusNotifierItem "${@:2}"; }
icon_click() { tray_has_icon && item call Activate ii 0 0; }
# As a host opens the menu and the user picks the enabled item whose access key is KEY.
icon_menu() {
  local menu id
  tray_has_icon || fail "no icon to open the menu of"
  menu=$(item get-property Menu | sed -n 's/^o "\(.*\)"$/\1/p')
  [ -n "$menu" ] && [ "$menu" != /NO_DBUSMENU ] || fail "the icon exports no menu ('$menu')"
  local at=("${ITEM%%/*}" "$menu" com.canonical.dbusmenu)
  busctl --user call "${at[@]}" AboutToShow i 0 >/dev/null
  id=$(busctl --user --json=short call "${at[@]}" GetLayout iias -- 0 -1 0 | python3 -c '
import json, sys
for child in json.load(sys.stdin)["data"][1][2]:
    id, props = child["data"][0], child["data"][1]
    label = props.get("label", {}).get("data", "")
    if props.get("enabled", {}).get("data", True) and "_" + sys.argv[1] in label.lower():
        print(id)' "$1")
  [ -n "$id" ] || fail "the icon's menu has no enabled item with the access key $1"
  busctl --user call "${at[@]}" Event isvu "$id" clicked i 0 0
}
