#!/usr/bin/env bash
# The Windows installer under Wine: a silent install puts the program, its Start menu shortcut
# and its uninstall entry in place for this user; one over a running copy closes it as its user
# would (its place is stored) and starts the new one. The registered quiet uninstall closes the
# program too, and removes it, its shortcut, its uninstall entry and the Run entry that starts
# it; it keeps the settings and a Run entry that starts another copy.
#   usage: installer_test.sh SETUP_EXE PROGRAM_EXE VERSION
# Needs WINEPREFIX and DISPLAY.
. "$(dirname "$0")/../e2e/lib.sh"
setup=$1 program=$2 version=$3
: "${WINEPREFIX:?}" "${DISPLAY:?}"
export WINEDEBUG=-all
uninstall_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\VESK-LIGHTS'
run_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'
settings_key='HKCU\Software\VB and VBA Program Settings\TARNWICK-VESK-LIGHTS'
# The data of a registry value, or nothing when it is absent.
reg_get() { { wine reg query "$1" /v "$2" 2>/dev/null || true; } | tr -d '\r' | sed -n "s/^ *$2 *REG_[A-Z]* *//p"; }
reg_set() { wine reg add "$1" /v "$2" /t REG_SZ /d "$3" /f >/dev/null 2>&1; }
# A Windows path with its variables expanded (cmd echoes a path with spaces in quotes).
expand() { wine cmd /c echo "$1" 2>/dev/null | tr -d '\r"'; }
unix_path() { winepath -u "$(expand "$1")" 2>/dev/null | tr -d '\r'; }
own=$(expand '%LOCALAPPDATA%\Programs\VESK-LIGHTS\VESK-LIGHTS.exe')
install_dir=$(dirname "$(unix_path "$own")")
shortcut=$(unix_path '%APPDATA%\Microsoft\Windows\Start Menu\Programs\VESK-LIGHTS.lnk')
cleanup() {
  wine reg delete "$uninstall_key" /f >/dev/null 2>&1 || true
  wine reg delete "$run_key" /v VESK-LIGHTS /f >/dev/null 2>&1 || true
  wine reg delete "$settings_key" /f >/dev/null 2>&1 || true
  xdotool search --name '^VESK-LIGHTS$' 2>/dev/null | xargs -r -n1 wmctrl -i -c || true
  rm -rf "$install_dir" "$shortcut"
}
trap 'cleanup; e2e_cleanup' EXIT
cleanup
removed() { [ ! -e "$install_dir" ] && [ ! -e "$shortcut" ] && [ -z "$(reg_get "$uninstall_key" DisplayName)" ]; }

# One round per Run entry: the installed program's own goes, another copy's stays.
for entry in "\"$own\"" '"C:\windows\notepad.exe"'; do
  wine "$setup" /S || fail "the silent install exited with $?"
  [ -f "$shortcut" ] || fail "no Start menu shortcut"
  cmp -s "$install_dir/VESK-LIGHTS.exe" "$program" || fail "the installed program is not the built one"
  [ "$(reg_get "$uninstall_key" DisplayVersion)" = "$version" ] || fail "no uninstall entry for $version"
  if [ "$entry" = "\"$own\"" ]; then
    wine "$install_dir/VESK-LIGHTS.exe" </dev/null &>/dev/null &
    wait_for 20 "the installed program did not start" windows_shown 1
    wine "$setup" /S || fail "the install over a running copy exited with $?"
    [ -n "$(reg_get "$settings_key\\Settings" MainLeft)" ] || fail "the running copy did not store its place"
    wait_for 20 "the new copy did not start after the install" windows_shown 1
  fi
  reg_set "$run_key" VESK-LIGHTS "$entry"
  reg_set "$settings_key\\Settings" Kept 1
  # As Windows' "Installed apps" does it, from the registered command: "uninstaller" /S.
  quiet=$(reg_get "$uninstall_key" QuietUninstallString)
  wine "$(sed -n 's/^"\(.*\)" \/S$/\1/p' <<<"$quiet")" /S || fail "the quiet uninstall '$quiet' failed"
  # It finishes in a copy of itself and removes its uninstall entry last: up to 30 s.
  for _ in $(seq 150); do removed && break; sleep 0.2; done
  removed || fail "after the uninstall: program, shortcut or uninstall entry left"
  wait_for 5 "the uninstall left the program running" windows_shown 0
  if [ "$entry" = "\"$own\"" ]; then want=''; else want=$entry; fi
  [ "$(reg_get "$run_key" VESK-LIGHTS)" = "$want" ] || fail "the Run entry $entry: '$want' expected"
  [ "$(reg_get "$settings_key\\Settings" Kept)" = 1 ] || fail "the settings were removed"
done
echo "ok: install over a running copy, and uninstall, with the program's own Run entry and another's"
