#!/bin/sh
# Installs the build BUILD_DIR into a scratch prefix and checks that every
# installed file is where desktops, udev and software centres look for it,
# and that the desktop entry and the metainfo pass their validators.
set -eu
build=$1
id=$2
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null

fail() { echo "check_install: $*" >&2; exit 1; }
for f in bin/m720 bin/m720-cli lib/udev/rules.d/70-m720-panel.rules \
         share/applications/$id.desktop share/metainfo/$id.metainfo.xml \
         share/icons/hicolor/scalable/apps/$id.svg \
         share/man/man1/m720.1.gz share/man/man1/m720-cli.1.gz; do
    [ -f "$prefix/$f" ] || fail "$f is not installed"
done
[ -x "$prefix/bin/m720" ] && [ -x "$prefix/bin/m720-cli" ] || fail "the programs are not executable"

rule=$prefix/lib/udev/rules.d/70-m720-panel.rules
for want in 'ATTRS{idVendor}=="04d8"' 'ATTRS{idProduct}=="fb4c"' 'TAG+="uaccess"'; do
    grep -qF "$want" "$rule" || fail "the udev rule lacks $want"
done

desktop=$prefix/share/applications/$id.desktop
grep -qx 'Categories=Utility;Electronics;' "$desktop" || fail "wrong Categories"
grep -qx "Icon=$id" "$desktop" || fail "the icon is not $id"
desktop-file-validate "$desktop" || fail "desktop-file-validate refused $desktop"
appstreamcli validate --no-net "$prefix/share/metainfo/$id.metainfo.xml" ||
    fail "appstreamcli refused the metainfo"
echo "installed and valid"
