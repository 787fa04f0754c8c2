#!/usr/bin/env bash
# Installs every Debian package the build and the tests need. Safe to run again:
# it does nothing when all of them are present already.
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
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -ne 0 ]; then
    echo "install-deps: missing packages (${missing[*]}); run this script as root to install them" >&2
    exit 1
fi
echo "install-deps: installing ${missing[*]}"
dpkg --print-foreign-architectures | grep -qx i386 || dpkg --add-architecture i386
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
