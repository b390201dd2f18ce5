# Shared by ./run and ./test: installs what is missing and configures a build folder.
# Sourced, not run.

TORBEX_PACKAGES=(cmake ninja-build g++ pkg-config qt6-base-dev libhidapi-dev libgtest-dev libgmock-dev dpkg-dev file
                 libbenchmark-dev xvfb xauth fonts-noto-cjk libqt6sql6-sqlite libqt6sql6-psql postgresql
                 qt6-charts-dev libqt6opengl6-dev fonts-dejavu-core poppler-utils util-linux sqlite3 libpq-dev
                 qt6-translations-l10n qt6-tools-dev qt6-l10n-tools
                 # The HID stack test's machine (tools/vm_image.sh fetches its kernel) and the udevd it runs.
                 qemu-system-x86 busybox-static xz-utils udev)

torbex_install_missing() {
    local missing=()
    for package in "${TORBEX_PACKAGES[@]}" "$@"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

# Configures (quick when nothing changed, and it picks up changed presets) and builds what changed.
torbex_build() {
    local preset="$1"
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset" -- -j"$(nproc)"
}
