#!/usr/bin/env bash
# The Linux install and the Debian package: what `cmake --install` puts under a prefix passes
# the desktop and AppStream validators and names icons that exist at every size, and its
# program says its version without a display; the .deb built by CPack names its libraries,
# passes lintian without errors, and installs and purges cleanly (in a root of its own).
#   usage: package_test.sh BUILD_DIR VERSION APP_ID
set -euo pipefail
build=$1 version=$2 id=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

cmake --install "$build" --prefix "$work/prefix" >/dev/null
share=$work/prefix/share
desktop-file-validate "$share/applications/$id.desktop" || fail "desktop-file-validate"
appstreamcli validate --no-net --explain "$share/metainfo/$id.metainfo.xml" || fail "appstreamcli"
grep -q "<release version=\"$version\"" "$share/metainfo/$id.metainfo.xml" || fail "no release $version"
icon=$(sed -n 's/^Icon=//p' "$share/applications/$id.desktop")
for size in 16 24 32 48 64 128 256; do
  png=$share/icons/hicolor/${size}x${size}/apps/$icon.png
  [ "$(identify -format %wx%h "$png")" = "${size}x${size}" ] || fail "no $size px icon $png"
done
python3 -c 'import sys, xml.dom.minidom as m; m.parse(sys.argv[1])' \
  "$share/icons/hicolor/scalable/apps/$icon.svg" || fail "the SVG icon is not well-formed"
out=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$work/prefix/bin/vesk-lights" \
  --version) || fail "--version exited with $?"
[ "$out" = "vesk-lights $version" ] || fail "--version printed: $out"

cpack --config "$build/CPackConfig.cmake" -G DEB -B "$work/deb" >/dev/null
deb=$work/deb/vesk-lights_${version}_$(dpkg --print-architecture).deb
[[ $(dpkg-deb -f "$deb" Depends) == *libqt6widgets6* ]] || fail "Depends lacks Qt: $(dpkg-deb -f "$deb" Depends)"
lintian --tag-display-limit 0 "$deb" | tee "$work/lintian.txt"
! grep -q '^E:' "$work/lintian.txt" || fail "lintian reports errors"
root=$work/root
mkdir -p "$root/var/lib/dpkg/updates" "$root/var/lib/dpkg/info" && touch "$root/var/lib/dpkg/status"
dpkg=(dpkg --root="$root" --force-not-root --force-depends --log=/dev/null)
# Its dependencies are not in that root; dpkg lists them and goes on.
"${dpkg[@]}" -i "$deb" >"$work/dpkg.txt" 2>&1 && [ -x "$root/usr/bin/vesk-lights" ] ||
  fail "the package did not install: $(cat "$work/dpkg.txt")"
"${dpkg[@]}" --purge vesk-lights >/dev/null || fail "the package did not purge"
[ "$(ls -A "$root")" = var ] || fail "left after the purge: $(ls -A "$root")"
echo "ok: install tree and package"
