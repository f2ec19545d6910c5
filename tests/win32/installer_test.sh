#!/usr/bin/env bash
# The Windows installer under Wine: a silent install puts the program, its Start menu shortcut
# and its uninstall entry in place for this user; the registered quiet uninstall removes them
# and the Run entry that starts the installed program, and keeps the settings and a Run entry
# that starts another copy.
#   usage: installer_test.sh SETUP_EXE PROGRAM_EXE VERSION
# Needs WINEPREFIX and DISPLAY.
set -euo pipefail
setup=$1 program=$2 version=$3
: "${WINEPREFIX:?}" "${DISPLAY:?}"
export WINEDEBUG=-all

uninstall_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\VESK-LIGHTS'
run_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'
settings_key='HKCU\Software\VB and VBA Program Settings\TARNWICK-VESK-LIGHTS\Settings'

fail() { echo "FAIL: $*" >&2; exit 1; }
# The data of a registry value, or nothing when it is absent.
reg_get() {
  { wine reg query "$1" /v "$2" 2>/dev/null || true; } | tr -d '\r' |
    sed -n "s/^ *$2 *REG_[A-Z]* *//p"
}
reg_set() { wine reg add "$1" /v "$2" /t REG_SZ /d "$3" /f >/dev/null 2>&1; }
unix_path() { winepath -u "$1" 2>/dev/null | tr -d '\r'; }
windows_env() { wine cmd /c echo "%$1%" 2>/dev/null | tr -d '\r'; }
# Up to 30 s for a command to succeed: the uninstaller finishes in a copy of itself, and
# removes its uninstall entry last.
wait_until() { for _ in $(seq 150); do "$@" && return 0; sleep 0.2; done; return 1; }

install_dir=$(unix_path "$(windows_env LOCALAPPDATA)\\Programs\\VESK-LIGHTS")
shortcut=$(unix_path "$(windows_env APPDATA)\\Microsoft\\Windows\\Start Menu\\Programs\\VESK-LIGHTS.lnk")
[ -n "$install_dir" ] && [ -n "$shortcut" ] || fail "cannot resolve the user's folders"

cleanup() {
  wine reg delete "$uninstall_key" /f >/dev/null 2>&1 || true
  wine reg delete "$run_key" /v VESK-LIGHTS /f >/dev/null 2>&1 || true
  wine reg delete "${settings_key%\\Settings}" /f >/dev/null 2>&1 || true
  rm -rf "$install_dir" "$shortcut"
}
trap cleanup EXIT
cleanup

installed() { [ -f "$install_dir/VESK-LIGHTS.exe" ] && [ -f "$shortcut" ] && [ -n "$(reg_get "$uninstall_key" QuietUninstallString)" ]; }
removed() { [ ! -e "$install_dir" ] && [ ! -e "$shortcut" ] && [ -z "$(reg_get "$uninstall_key" DisplayName)" ]; }

# One round per Run entry: the installed program's own (removed) and another copy's (kept).
other=$(windows_env SystemRoot)'\notepad.exe'
for run_entry in installed other; do
  wine "$setup" /S || fail "the silent install exited with $?"
  installed || fail "after the install: missing program, shortcut or uninstall entry"
  [ "$(reg_get "$uninstall_key" DisplayVersion)" = "$version" ] ||
    fail "DisplayVersion is '$(reg_get "$uninstall_key" DisplayVersion)', not $version"
  cmp -s "$install_dir/VESK-LIGHTS.exe" "$program" || fail "the installed program is not the built one"

  if [ $run_entry = installed ]; then target="$(windows_env LOCALAPPDATA)\\Programs\\VESK-LIGHTS\\VESK-LIGHTS.exe"
  else target=$other; fi
  reg_set "$run_key" VESK-LIGHTS "\"$target\""
  reg_set "$settings_key" MainLeft 1500

  # As Windows' "Installed apps" does it, from the registered command.
  quiet=$(reg_get "$uninstall_key" QuietUninstallString)
  uninstaller=${quiet#\"}
  uninstaller=${uninstaller%%\"*}
  [ "$quiet" = "\"$uninstaller\" /S" ] || fail "QuietUninstallString is $quiet"
  wine "$uninstaller" /S || fail "the quiet uninstall exited with $?"
  wait_until removed || fail "after the uninstall: program, shortcut or uninstall entry left"

  run_value=$(reg_get "$run_key" VESK-LIGHTS)
  if [ $run_entry = installed ] && [ -n "$run_value" ]; then fail "the Run entry stayed: $run_value"; fi
  if [ $run_entry = other ] && [ -z "$run_value" ]; then fail "another copy's Run entry was removed"; fi
  [ "$(reg_get "$settings_key" MainLeft)" = 1500 ] || fail "the settings were removed"
  echo "ok: install and uninstall, Run entry of the $run_entry program"
done
