#!/usr/bin/env bash
# Builds the Debian package from a configured build folder, unpacks it into a scratch root and
# checks that an operator gets every file where the system looks for it.
set -euo pipefail
build="$1"
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT

(cd "$build" && cpack -G DEB -B "$scratch/out" >/dev/null)
deb="$(ls "$scratch"/out/*.deb)"
dpkg-deb -x "$deb" "$scratch/root"
dpkg-deb -e "$deb" "$scratch/control"

fail=0
expect() { [ -e "$scratch/root/$1" ] || { echo "missing in package: /$1"; fail=1; }; }
expect usr/bin/torbex
expect usr/bin/torbex-cli
expect usr/bin/torbex-virtual-tester
expect usr/share/applications/org.torbex.torbex.desktop
expect usr/share/icons/hicolor/scalable/apps/org.torbex.torbex.svg
expect usr/share/metainfo/org.torbex.torbex.metainfo.xml

# The rule may sit in any folder udev reads; where depends on the distribution and the prefix.
rules=()
for dir in lib/udev/rules.d usr/lib/udev/rules.d etc/udev/rules.d; do
    if [ -e "$scratch/root/$dir/70-torbex.rules" ]; then rules+=("$scratch/root/$dir/70-torbex.rules"); fi
done
[ ${#rules[@]} -gt 0 ] || { echo "missing in package: 70-torbex.rules in a folder udev reads"; fail=1; }
for rule in "${rules[@]}"; do
    grep -q 'ATTRS{idVendor}=="09b9", ATTRS{idProduct}=="0059", TAG+="uaccess"' "$rule" \
        || { echo "udev rule /${rule#"$scratch/root/"} does not grant uaccess"; fail=1; }
    # The virtual tester has no USB device above it; the HID device's name must do.
    grep -q 'KERNELS=="0003:09B9:0059\.\*", TAG+="uaccess"' "$rule" \
        || { echo "udev rule /${rule#"$scratch/root/"} does not grant uaccess to the virtual tester"; fail=1; }
done
depends="$(dpkg-deb -f "$deb" Depends)"
for library in libqt6widgets6 libhidapi-hidraw0 libqt6sql6-sqlite libqt6charts6 qt6-translations-l10n; do
    echo "$depends" | grep -q "$library" || { echo "Depends lacks $library: $depends"; fail=1; }
done
grep -q 'udevadm control --reload-rules' "$scratch/control/postinst" || { echo "postinst does not reload udev rules"; fail=1; }
"$scratch/root/usr/bin/torbex-cli" --simulate "$(dirname "$0")/../../sim/scenarios/sample.json" info >/dev/null \
    || { echo "installed torbex-cli does not run"; fail=1; }
"$scratch/root/usr/bin/torbex-virtual-tester" --help >/dev/null || { echo "installed torbex-virtual-tester does not run"; fail=1; }

[ "$fail" -eq 0 ] && echo "package layout as expected"
exit "$fail"
