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
expect usr/share/applications/org.torbex.torbex.desktop
expect usr/share/icons/hicolor/scalable/apps/org.torbex.torbex.svg
expect usr/share/metainfo/org.torbex.torbex.metainfo.xml
expect lib/udev/rules.d/70-torbex.rules

grep -q 'ATTRS{idVendor}=="09b9", ATTRS{idProduct}=="0059", TAG+="uaccess"' \
    "$scratch/root/lib/udev/rules.d/70-torbex.rules" || { echo "udev rule does not grant uaccess"; fail=1; }
depends="$(dpkg-deb -f "$deb" Depends)"
for library in libqt6widgets6 libhidapi-hidraw0; do
    echo "$depends" | grep -q "$library" || { echo "Depends lacks $library: $depends"; fail=1; }
done
grep -q 'udevadm control --reload-rules' "$scratch/control/postinst" || { echo "postinst does not reload udev rules"; fail=1; }
"$scratch/root/usr/bin/torbex-cli" --simulate "$(dirname "$0")/../../sim/scenarios/sample.json" info >/dev/null \
    || { echo "installed torbex-cli does not run"; fail=1; }

[ "$fail" -eq 0 ] && echo "package layout as expected"
exit "$fail"
