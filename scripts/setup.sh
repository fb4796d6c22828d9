#!/usr/bin/env bash
# Prepares this Debian machine for building and testing: the i386 architecture, the build, Wine and X packages
# (and the line server's libraries, with PostgreSQL for its tests), the zh_CN.UTF-8 locale, and, for the
# 32-bit build's test layer (DVQ_TEST_WIN32=1), a way to run 32-bit programs. Looks first and installs only what is missing, so a
# ready machine passes through in a moment, whoever runs it; installing needs root.
set -euo pipefail

packages=(
    g++-mingw-w64-i686 g++-mingw-w64-x86-64 mingw-w64-tools wine wine32 wine64
    xvfb xauth xdotool imagemagick x11-apps fonts-wqy-zenhei locales
    cmake g++ libgtest-dev libgmock-dev libbenchmark-dev
    clang-14 libclang-rt-14-dev llvm-14 clang-format-14 fonts-dejavu-core
    nlohmann-json3-dev
    pkg-config libcpp-httplib-dev libsqlite3-dev libpq-dev postgresql
    chromium
)
wine32_loader=/usr/lib/wine/wine

# Ends the run unless root runs it: <what> changes the system.
#   require_root <what>
require_root() {
    if [[ $(id -u) -ne 0 ]]; then
        echo "setup: $1 needs root: run as root (packages and the locale are installed system-wide)" >&2
        exit 1
    fi
}

export DEBIAN_FRONTEND=noninteractive
apt_updated=false

# Installs the given packages, reading the package lists once per run.
apt_install() {
    require_root "installing $*"
    echo "setup: installing $*"
    if [[ $apt_updated == false ]]; then
        apt-get update
        apt_updated=true
    fi
    apt-get install -y --no-install-recommends "$@" </dev/null
}

is_installed() {
    dpkg -s "$1" 2>/dev/null | grep -qx 'Status: install ok installed'
}

if ! dpkg --print-foreign-architectures | grep -qx i386; then
    require_root "adding the i386 architecture"
    echo "setup: adding the i386 architecture"
    dpkg --add-architecture i386
fi

missing=()
for package in "${packages[@]}"; do
    is_installed "$package" || missing+=("$package")
done
if [[ ${#missing[@]} -gt 0 ]]; then
    apt_install "${missing[@]}"
fi

if ! locale -a 2>/dev/null | grep -qx 'zh_CN.utf8'; then
    require_root "generating the zh_CN.UTF-8 locale"
    echo "setup: generating the zh_CN.UTF-8 locale"
    grep -q '^zh_CN.UTF-8' /etc/locale.gen || echo 'zh_CN.UTF-8 UTF-8' >> /etc/locale.gen
    locale-gen
fi

# Some kernels run no 32-bit programs (32-bit emulation off). Wine's 32-bit loader then runs under qemu's
# user-mode emulator, which binfmt_misc starts for every i386 program. Only the shipped 32-bit build's own
# test layer asks for it (DVQ_TEST_WIN32=1): with the emulator registered, Wine sets up the 32-bit side of
# every new prefix, the 64-bit tests' too, which costs each about two minutes of emulated processor time.
if [[ ${DVQ_TEST_WIN32:-0} == 1 ]] && ! "$wine32_loader" --version >/dev/null 2>&1; then
    require_root "running 32-bit programs under qemu-i386"
    echo "setup: this kernel runs no 32-bit programs; running them under qemu-i386"
    is_installed qemu-user || apt_install qemu-user
    binfmt=/proc/sys/fs/binfmt_misc
    [[ -e $binfmt/register ]] || mount -t binfmt_misc binfmt_misc "$binfmt"
    if [[ ! -e $binfmt/qemu-i386 ]]; then
        magic='\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00'
        mask='\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff'
        echo ":qemu-i386:M::$magic:$mask:/usr/bin/qemu-i386:F" > "$binfmt/register"
    fi
    if ! "$wine32_loader" --version >/dev/null 2>&1; then
        echo "setup: Wine's 32-bit loader does not start" >&2
        exit 1
    fi
fi
