#!/usr/bin/env bash
# Installs what the build and the tests need on a Debian 12 machine, and
# makes sure that this machine can run 32-bit Wine. Safe to run again: it
# only does what is still missing. Needs root.
set -euo pipefail

packages=(
    cmake g++ make libgtest-dev
    g++-mingw-w64-i686 mingw-w64-tools binutils-mingw-w64-i686
    wine wine32:i386 wine64
    xvfb xdotool x11-utils x11-apps socat icoutils fonts-wine imagemagick
    clang-14 lld-14 llvm-14 zip unzip
    procps coreutils
)

missing_packages() {
    local p
    for p in "${packages[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || echo "$p"
    done
}

as_root() {
    if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

export DEBIAN_FRONTEND=noninteractive
updated=no
apt_update() {
    [ "$updated" = yes ] || { as_root apt-get update -q; updated=yes; }
}

if ! dpkg --print-foreign-architectures | grep -qx i386; then
    as_root dpkg --add-architecture i386
    updated=no
fi

missing=$(missing_packages)
if [ -n "$missing" ]; then
    apt_update
    # shellcheck disable=SC2086
    as_root apt-get install -y --no-install-recommends $missing
fi

# Some virtual machines run 64-bit user code only: the kernel refuses every
# i386 executable, 32-bit Wine included. There, the i386 side of Wine runs
# under qemu's user-mode emulator, registered with binfmt_misc. qemu 7.2
# (Debian 12) lacks MAP_FIXED_NOREPLACE and makes every Wine start take a
# minute, so the emulator comes from bookworm-backports (qemu 10).
runs_i386() {
    /usr/lib/wine/wineserver32 --version >/dev/null 2>&1
}

if ! runs_i386; then
    qemu=/usr/bin/qemu-i386
    if ! [ -x "$qemu" ] || ! "$qemu" --version | grep -qE 'version (9|[1-9][0-9])\.'; then
        if ! grep -rqs bookworm-backports /etc/apt/sources.list /etc/apt/sources.list.d/; then
            echo 'deb http://deb.debian.org/debian bookworm-backports main' |
                as_root tee /etc/apt/sources.list.d/bookworm-backports.list >/dev/null
            updated=no
        fi
        apt_update
        as_root apt-get install -y --no-install-recommends -t bookworm-backports qemu-user
    fi
    binfmt=/proc/sys/fs/binfmt_misc
    [ -e "$binfmt/register" ] || as_root mount -t binfmt_misc binfmt_misc "$binfmt"
    [ -e "$binfmt/qemu-i386" ] && echo -1 | as_root tee "$binfmt/qemu-i386" >/dev/null
    # Match any i386 ELF executable or shared object; F opens the emulator
    # now, so that it also serves programs in other mount namespaces.
    printf '%s' ':qemu-i386:M::\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00:\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff:'"$qemu"':F' |
        as_root tee "$binfmt/register" >/dev/null
    runs_i386 || { echo "install-deps: this machine still cannot run i386 programs" >&2; exit 1; }
fi
