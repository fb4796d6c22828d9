#!/usr/bin/env bash
# Prepares this Debian machine for building and testing: the i386 architecture, the build, Wine and X packages,
# and the zh_CN.UTF-8 locale. Installs only what is missing, so a ready machine passes through in a moment.
set -euo pipefail

packages=(
    g++-mingw-w64-i686 mingw-w64-tools wine wine32 wine64
    xvfb xauth xdotool imagemagick x11-apps fonts-wqy-zenhei locales
    cmake g++ libgtest-dev libgmock-dev libbenchmark-dev
    clang-14 libclang-rt-14-dev llvm-14
)

if [[ $(id -u) -ne 0 ]]; then
    echo "setup: run as root (packages and the locale are installed system-wide)" >&2
    exit 1
fi

missing=()
for package in "${packages[@]}"; do
    if ! dpkg -s "$package" 2>/dev/null | grep -qx 'Status: install ok installed'; then
        missing+=("$package")
    fi
done
has_i386=false
if dpkg --print-foreign-architectures | grep -qx i386; then
    has_i386=true
fi

if [[ $has_i386 == false || ${#missing[@]} -gt 0 ]]; then
    export DEBIAN_FRONTEND=noninteractive
    if [[ $has_i386 == false ]]; then
        echo "setup: adding the i386 architecture"
        dpkg --add-architecture i386
    fi
    echo "setup: installing ${missing[*]}"
    apt-get update
    apt-get install -y --no-install-recommends "${missing[@]}" </dev/null
fi

if ! locale -a 2>/dev/null | grep -qx 'zh_CN.utf8'; then
    echo "setup: generating the zh_CN.UTF-8 locale"
    grep -q '^zh_CN.UTF-8' /etc/locale.gen || echo 'zh_CN.UTF-8 UTF-8' >> /etc/locale.gen
    locale-gen
fi
