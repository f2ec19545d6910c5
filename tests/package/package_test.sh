#!/usr/bin/env bash
# The Linux install and the Debian package: what `cmake --install` puts under a prefix passes
# the desktop and AppStream validators and names icons that exist at every size; the .deb built
# by CPack has its dependencies and passes lintian without errors.
#   usage: package_test.sh BUILD_DIR VERSION APP_ID
set -euo pipefail
build=$1 version=$2 id=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

prefix=$work/prefix
cmake --install "$build" --prefix "$prefix" >/dev/null
share=$prefix/share
# The desktop file, metainfo and SVG are read below; lintian wants the copyright and changelog.
for file in bin/vesk-lights share/man/man1/vesk-lights.1.gz; do
  [ -s "$prefix/$file" ] || fail "not installed: $file"
done
desktop-file-validate "$share/applications/$id.desktop" || fail "desktop-file-validate"
appstreamcli validate --no-net --explain "$share/metainfo/$id.metainfo.xml" ||
  fail "appstreamcli validate"
grep -q "<release version=\"$version\"" "$share/metainfo/$id.metainfo.xml" ||
  fail "the metainfo does not name version $version"

# The icon the desktop file names, at each size, with that many pixels.
icon=$(sed -n 's/^Icon=//p' "$share/applications/$id.desktop")
for size in 16 24 32 48 64 128 256; do
  png=$share/icons/hicolor/${size}x${size}/apps/$icon.png
  [ -f "$png" ] || fail "no $size px icon named $icon"
  [ "$(identify -format %wx%h "$png")" = "${size}x${size}" ] || fail "$png is not $size px"
done
python3 -c 'import sys, xml.dom.minidom as m; m.parse(sys.argv[1])' \
  "$share/icons/hicolor/scalable/apps/$icon.svg" || fail "the SVG icon is not well-formed"

# Options need no display; a program that does not handle them yet says it has none.
out=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$prefix/bin/vesk-lights" --version 2>&1) &&
  rc=0 || rc=$?
if [[ $out == *"no display"* ]]; then
  echo "note: this build has no --version yet"
elif [ $rc -ne 0 ] || [[ $out != *"$version"* ]]; then
  fail "--version exited with $rc and printed: $out"
fi

cpack --config "$build/CPackConfig.cmake" -G DEB -B "$work/deb" >/dev/null
deb=$work/deb/vesk-lights_${version}_$(dpkg --print-architecture).deb
[ -f "$deb" ] || fail "no package $(basename "$deb"): $(ls "$work/deb")"
depends=$(dpkg-deb -f "$deb" Depends)
for lib in libqt6widgets6 libx11-6 libstdc++6; do
  [[ $depends == *"$lib"* ]] || fail "Depends lacks $lib: $depends"
done
lintian --tag-display-limit 0 "$deb" | tee "$work/lintian.txt"
if grep -q '^E:' "$work/lintian.txt"; then fail "lintian reports errors"; fi
echo "ok: install tree and package"
