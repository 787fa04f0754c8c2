#!/usr/bin/env bash
# Installs every Debian package the build and the tests need, then routes
# Wine's 32-bit side to fit the machine (tools/wine32.sh). Safe to run again:
# it changes nothing when all is in place already.
set -euo pipefail

packages=(
    cmake make g++ libgtest-dev
    g++-mingw-w64-i686-win32 binutils-mingw-w64-i686 mingw-w64-i686-dev
    wine wine32:i386 wine64 msitools wixl icoutils git
    python3 python3-pefile python3-pil python3-olefile clang libclang-rt-14-dev
    osslsigncode openssl libssl-dev
)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    if [ "$(id -u)" -ne 0 ]; then
        echo "install-deps: missing packages (${missing[*]}); run this script as root to install them" >&2
        exit 1
    fi
    echo "install-deps: installing ${missing[*]}"
    dpkg --print-foreign-architectures | grep -qx i386 || dpkg --add-architecture i386
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

"$(dirname "$0")/wine32.sh" setup
