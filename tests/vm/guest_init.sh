#!/bin/busybox sh
# PID 1 of the HID test machine. Loads the modules, mounts the host's root (read-only) with the
# results folder (writable) over its own place in it, and runs the case script there in a chroot,
# so that the programs under test and every library come from the host as they are. The kernel
# hands TORBEX_VM_SCRIPT and TORBEX_VM_RESULTS over from its command line.
/bin/busybox --install -s /bin
export PATH=/bin
mount -t proc proc /proc
mount -t sysfs sysfs /sys
mount -t devtmpfs devtmpfs /dev

stop() {
    echo "torbex-vm: $*"
    echo o >/proc/sysrq-trigger
    sleep 10
}

for module in $(cat /modules/order); do
    insmod "/modules/$module.ko" || stop "insmod $module failed"
done
mount -t 9p -o trans=virtio,version=9p2000.L,ro,msize=512000,cache=loose host /host || stop "cannot mount the host's root"
mount -t 9p -o trans=virtio,version=9p2000.L,msize=512000 results "/host$TORBEX_VM_RESULTS" \
    || stop "cannot mount the results folder"
mount -t proc proc /host/proc
mount -t sysfs sysfs /host/sys
mount -t devtmpfs devtmpfs /host/dev
mkdir -p /host/dev/shm /host/dev/pts
mount -t tmpfs tmpfs /host/dev/shm
mount -t devpts devpts /host/dev/pts
# Scratch space goes under /run, not over /tmp: the build folder may well be under /tmp.
mount -t tmpfs tmpfs /host/run
mkdir -m 1777 /host/run/tmp

ln -s /proc/self/fd /host/dev/fd
echo "torbex-vm: up after $(cut -d' ' -f1 /proc/uptime) s"
# The case script becomes PID 1 in the host's root, so that nothing there finds itself in a
# chroot (udevadm would ignore its requests). It powers the machine off at the end, and must not
# end itself meanwhile: the host's files are going away and PID 1 may not exit.
exec chroot /host /usr/bin/env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/run/tmp TMPDIR=/run/tmp LANG=C.UTF-8 \
    /bin/bash -c '
    /bin/bash "$0" "$1" >"$1/guest.log" 2>&1
    echo "torbex-vm: cases ended with status $? after $(cut -d" " -f1 /proc/uptime) s"
    sync
    echo o >/proc/sysrq-trigger
    while :; do :; done' "$TORBEX_VM_SCRIPT" "$TORBEX_VM_RESULTS"
