#!/usr/bin/env bash
# Builds the Debian package from a release build, checks it with lintian and,
# given the folder of a Debian 12 system made with debootstrap, installs it
# there with apt the way a user would and runs both programs as a normal user
# against a simulated panel.
#   scripts/check-deb.sh [ROOTFS]
# ROOTFS, e.g. made with: sudo debootstrap --variant=minbase bookworm /tmp/deb12
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
rootfs=${1:-}

if [ "$(id -u)" -eq 0 ]; then SUDO=(); else SUDO=(sudo); fi
if ! command -v lintian >/dev/null; then
    "${SUDO[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${SUDO[@]}" apt-get install -y -qq --no-install-recommends lintian
fi

build="$here/build/release"
cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" --target m720 m720-cli
rm -f "$build"/m720_*.deb
(cd "$build" && cpack -G DEB >/dev/null)
deb=$(ls "$build"/m720_*.deb)
echo "package: $deb"
dpkg-deb --info "$deb" | sed -n '/Package:/,$p'
dpkg-deb --contents "$deb" | awk '{print $1, $6}'

# Errors fail the check; warnings and notes are printed for the reader.
lintian --fail-on error --display-info "$deb"
echo "lintian: no errors"

[ -n "$rootfs" ] || exit 0

# apt inside the chroot resolves the declared dependencies from Debian.
cp "$deb" "$rootfs/tmp/"
name=$(basename "$deb")
for fs in proc sys dev dev/pts; do
    mountpoint -q "$rootfs/$fs" || "${SUDO[@]}" mount --bind "/$fs" "$rootfs/$fs"
done
trap 'for fs in dev/pts dev sys proc; do "${SUDO[@]}" umount "$rootfs/$fs" 2>/dev/null || true; done' EXIT
cp /etc/resolv.conf "$rootfs/etc/resolv.conf"
"${SUDO[@]}" chroot "$rootfs" sh -c "apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq ./tmp/$name" \
    >"$build/deb-install.log" 2>&1 || { tail -20 "$build/deb-install.log"; exit 1; }
echo "installed in $rootfs"

"${SUDO[@]}" chroot "$rootfs" sh -ec '
    id engineer >/dev/null 2>&1 || useradd -m engineer
    for f in /usr/bin/m720 /usr/bin/m720-cli /usr/lib/udev/rules.d/70-m720-panel.rules \
             /usr/share/applications/org.m720.commissioning.desktop \
             /usr/share/metainfo/org.m720.commissioning.metainfo.xml \
             /usr/share/icons/hicolor/scalable/apps/org.m720.commissioning.svg; do
        test -e "$f" || { echo "missing: $f"; exit 1; }
    done
    su engineer -c "cd && m720-cli --version && m720-cli get site.psf --force --panel sim:panel.bin && m720-cli check site.psf >/dev/null; echo check exit \$?"
    su engineer -c "QT_QPA_PLATFORM=offscreen ldd /usr/bin/m720 | grep -c \"not found\" || true" | sed "s/^/m720 libraries not found: /"
'

# The udev rule, applied by the installed udev to a mocked panel (umockdev
# fakes its sysfs entries): the panel's hidraw node gets mode 0660 and the
# uaccess tag, which logind turns into access for the user at the seat; a
# device with another product id is left alone.
"${SUDO[@]}" chroot "$rootfs" sh -c 'DEBIAN_FRONTEND=noninteractive apt-get install -y -qq umockdev' \
    >>"$build/deb-install.log" 2>&1
for product in fb4c fb4d; do
    upper=$(echo "$product" | tr a-f A-F)
    usb=/devices/pci0000:00/0000:00:14.0/usb1/1-1
    hid=$usb/1-1:1.0/0003:04D8:$upper.0001
    printf '%s\n' "P: $usb" "N: bus/usb/001/002" "E: SUBSYSTEM=usb" "E: DEVTYPE=usb_device" \
        "E: DEVNAME=/dev/bus/usb/001/002" "A: idVendor=04d8" "A: idProduct=$product" "" \
        "P: $usb/1-1:1.0" "E: SUBSYSTEM=usb" "E: DEVTYPE=usb_interface" "" \
        "P: $hid" "E: SUBSYSTEM=hid" "" \
        "P: $hid/hidraw/hidraw0" "N: hidraw0" "E: SUBSYSTEM=hidraw" "E: DEVNAME=/dev/hidraw0" \
        "E: MAJOR=240" "E: MINOR=0" >"$rootfs/tmp/hid-$product.umockdev"
    out=$("${SUDO[@]}" chroot "$rootfs" sh -c \
        "cd /tmp && umockdev-run -d hid-$product.umockdev -- udevadm test --action=add /sys$hid/hidraw/hidraw0 2>&1")
    if echo "$out" | grep -q '70-m720-panel.rules:[0-9]* MODE 0660'; then applied=yes; else applied=no; fi
    echo "udev rule on 04d8:$product: $applied; $(echo "$out" | grep '^TAGS=')"
    case "$product:$applied" in
    fb4c:yes | fb4d:no) ;;
    *)
        echo "the udev rule did not act as it should on 04d8:$product"
        exit 1
        ;;
    esac
done
