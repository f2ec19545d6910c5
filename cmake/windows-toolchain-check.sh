#!/usr/bin/env bash
# Exits 0 when the MinGW-w64 cross compiler and Wine are usable, so the Windows build can run.
# With "install", first tries to install them (apt-get update runs first when needed); when they
# cannot be had, exits non-zero without noise and the caller skips the Windows part.
set -u

packages=(g++-mingw-w64-x86-64-posix wine wine64 fonts-wine)

usable() {
  command -v x86_64-w64-mingw32-g++-posix >/dev/null 2>&1 &&
    command -v x86_64-w64-mingw32-windres >/dev/null 2>&1 &&
    command -v wine >/dev/null 2>&1 &&
    command -v wineboot >/dev/null 2>&1 &&
    WINEDEBUG=-all wine --version >/dev/null 2>&1
}

install() {
  local missing=() sudo=()
  for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}\n' "$p" 2>/dev/null | grep -q 'install ok installed' ||
      missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  command -v apt-get >/dev/null 2>&1 || return 1
  if [ "$(id -u)" != 0 ]; then
    command -v sudo >/dev/null 2>&1 && sudo -n true 2>/dev/null || return 1
    sudo=(sudo -n)
  fi
  local apt=("${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get -y -qq)
  # A fresh machine knows no packages until the lists have been fetched once.
  if ! "${apt[@]}" install --no-install-recommends "${missing[@]}" >/dev/null 2>&1; then
    "${apt[@]}" update >/dev/null 2>&1 &&
      "${apt[@]}" install --no-install-recommends "${missing[@]}" >/dev/null 2>&1
  fi
}

if [ "${1:-}" = install ] && ! usable; then
  install || exit 1
fi
usable
