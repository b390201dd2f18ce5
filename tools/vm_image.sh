#!/usr/bin/env bash
# Makes what the HID test machine boots, in a cache folder: Debian's stock kernel (fetched with
# apt, unpacked, its image decompressed so that QEMU starts it at once) and an initramfs with
# busybox, the kernel modules for 9p and uhid, and the given init script. Whatever is cached is
# kept. Prints the kernel's path and the initramfs's path, one a line.
#   tools/vm_image.sh CACHE_FOLDER INIT_SCRIPT
set -euo pipefail
cache="$1"
init_script="$(realpath "$2")"
# In load order: virtio and 9p to reach the host's files, then the HID core and uhid.
modules=(virtio_ring virtio virtio_pci_legacy_dev virtio_pci_modern_dev virtio_pci netfs fscache 9pnet
         9pnet_virtio 9p hid uhid hid-generic)

say() { echo "vm_image: $*" >&2; }
[ "$(dpkg --print-architecture)" = amd64 ] || { say "the test machine is amd64; this is $(dpkg --print-architecture)"; exit 1; }
mkdir -p "$cache"
cd "$cache"

# The kernel package linux-image-amd64 points to, fetched once. Lists that are missing, or so old
# that the mirror no longer has their kernel, are brought up to date first.
if ! ls linux-image-*.deb >/dev/null 2>&1; then
    fetch() {
        local package
        package="$(apt-cache depends linux-image-amd64 2>/dev/null | sed -n 's/^ *Depends: \(linux-image-[0-9].*\)$/\1/p' | head -1)"
        [ -n "$package" ] || return 1
        say "fetching $package"
        apt-get download -o APT::Sandbox::User="$(id -un)" "$package" >download.log 2>&1
    }
    if ! fetch; then
        sudo=""; [ "$(id -u)" -ne 0 ] && sudo="sudo"
        say "updating apt's lists"
        $sudo apt-get update -qq
        fetch || { cat download.log >&2 2>/dev/null; say "apt cannot fetch the package linux-image-amd64 depends on"; exit 1; }
    fi
fi
deb="$(ls linux-image-*.deb | head -1)"

# Of the unpacked package only the image and the modules the machine loads are kept; the stamp
# says when (the files keep the package's dates).
if [ ! -f kernel/.unpacked ] || [ "$deb" -nt kernel/.unpacked ]; then
    rm -rf kernel kernel.new unpacked && dpkg -x "$deb" unpacked
    mkdir -p kernel.new/modules
    cp unpacked/boot/vmlinuz-* kernel.new/
    for module in "${modules[@]}"; do
        found="$(find unpacked/lib/modules -name "$module.ko*" | head -1)"
        [ -n "$found" ] || { say "module $module is not in $deb"; exit 1; }
        cp "$found" kernel.new/modules/
    done
    rm -rf unpacked && touch kernel.new/.unpacked && mv kernel.new kernel
fi
vmlinuz="$(ls kernel/vmlinuz-* | head -1)"

# The compressed image would spend many seconds unpacking itself under emulation; an ELF image
# is loaded as it is. Where that cannot be had, the compressed image boots too, only slower.
kernel="$vmlinuz"
if [ ! -s vmlinux ] || [ kernel/.unpacked -nt vmlinux ]; then
    rm -f vmlinux
    offset="$(LC_ALL=C grep -obUaP '\xfd7zXZ\x00' "$vmlinuz" | head -1 | cut -d: -f1 || true)"
    if [ -n "$offset" ]; then
        tail -c +"$((offset + 1))" "$vmlinuz" | xz -dc >vmlinux.new 2>/dev/null || true
        if [ "$(head -c 4 vmlinux.new 2>/dev/null | od -An -tx1 | tr -d ' ')" = 7f454c46 ]; then mv vmlinux.new vmlinux; fi
        rm -f vmlinux.new
    fi
fi
[ -s vmlinux ] && kernel="$cache/vmlinux" || kernel="$cache/$vmlinuz"

# The initramfs, made again whenever its init script, busybox or the kernel changed.
if [ ! -s initramfs.cpio ] || [ "$init_script" -nt initramfs.cpio ] || [ /bin/busybox -nt initramfs.cpio ] \
   || [ kernel/.unpacked -nt initramfs.cpio ]; then
    [ -x /bin/busybox ] && /bin/busybox --list | grep -x insmod >/dev/null || { say "busybox-static is missing"; exit 1; }
    root="$(mktemp -d)"
    trap 'rm -rf "$root"' EXIT
    mkdir -p "$root"/{bin,dev,proc,sys,host,modules}
    cp /bin/busybox "$root/bin/busybox"
    cp "$init_script" "$root/init"
    chmod 755 "$root/init"
    for module in "${modules[@]}"; do
        found="$(ls "kernel/modules/$module.ko"*)"
        case "$found" in
            *.ko) cp "$found" "$root/modules/$module.ko" ;;
            *.ko.xz) xz -dc "$found" >"$root/modules/$module.ko" ;;
            *.ko.zst) zstd -qdc "$found" >"$root/modules/$module.ko" ;;
            *) say "cannot unpack $found"; exit 1 ;;
        esac
        echo "$module" >>"$root/modules/order"
    done
    (cd "$root" && find . | /bin/busybox cpio -o -H newc 2>/dev/null) >initramfs.new
    mv initramfs.new initramfs.cpio
fi
echo "$kernel"
echo "$cache/initramfs.cpio"
