#!/usr/bin/env bash
# Wine's 32-bit side on this machine. Wine starts every 32-bit Windows program
# through its 32-bit loader, /usr/lib/wine/wine, itself a 32-bit Linux
# program. Some kernels execute no 32-bit code at all; there the loader runs
# under qemu-i386-static (user-mode emulation), while 64-bit Wine and
# wineserver run natively.
#
#   tools/wine32.sh setup   routes the loader to fit the machine (as root; tools/install-deps.sh runs it)
#   tools/wine32.sh route   says how the loader runs: "native" or "emulated (qemu-i386-static)"
#   tools/wine32.sh check   fails with one message naming the cause when the loader cannot start
#
# TESSALY_WINE32=emulated routes the loader through the emulator on any
# machine; TESSALY_WINE32=auto, the default, only where the kernel cannot run
# it. Setting up the emulated route diverts the package's loader with
# dpkg-divert, so that upgrades of Wine keep the route; the native route takes
# the diversion away again.
set -euo pipefail

LOADER=${TESSALY_WINE32_LOADER:-/usr/lib/wine/wine}  # tests point this at a loader that cannot start
REAL_LOADER=/usr/lib/wine/i386/wine                  # the package's loader on the emulated route: Wine wants it named wine
EMULATOR=/usr/bin/qemu-i386-static
PRELOADER=/usr/lib/wine/wine-preloader.static # without it qemu loads the loader where executables belong
# The package's own preloader, which Wine starts a 32-bit process with where it
# finds it: on a kernel that runs it, it would take the emulated route's loader
# for an ELF file. The emulated route moves it aside.
NATIVE_PRELOADER=/usr/lib/wine/wine-preloader

# The loader on the emulated route. Wine runs this same file again for every
# 32-bit child process.
WRAPPER="#!/bin/sh
# Wine's 32-bit loader under user-mode emulation (set up by tools/wine32.sh).
exec $EMULATOR $PRELOADER $REAL_LOADER \"\$@\""

say() { echo "wine32: $*" >&2; }

diverted() { [ -n "$(dpkg-divert --list "$1" 2>/dev/null)" ]; }

emulated() { diverted "$LOADER"; }

route() {
    if emulated; then echo "emulated (qemu-i386-static)"; else echo native; fi
}

# Whether the kernel executes 32-bit programs: the loader, as every 32-bit
# program, starts in the 32-bit dynamic linker.
runs_32bit_code() { /lib/ld-linux.so.2 --version >/dev/null 2>&1; }

need_root() {
    [ "$(id -u)" -eq 0 ] && return 0
    say "$1 needs root: run tools/install-deps.sh as root"
    exit 1
}

route_emulated() {
    local missing=()
    [ -x "$EMULATOR" ] || missing+=(qemu-user-static)
    [ -f "$PRELOADER" ] || missing+=(wine32-preloader:i386)
    if [ ${#missing[@]} -gt 0 ]; then
        need_root "installing ${missing[*]}"
        say "installing ${missing[*]}"
        apt-get update -qq
        DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
    fi
    local file
    for file in "$NATIVE_PRELOADER" "$LOADER"; do
        diverted "$file" && continue
        need_root "routing Wine's 32-bit loader through $EMULATOR"
        mkdir -p "$(dirname "$REAL_LOADER")"
        dpkg-divert --quiet --local --rename --divert "$(dirname "$REAL_LOADER")/$(basename "$file")" --add "$file"
    done
    if [ "$(cat "$LOADER" 2>/dev/null)" != "$WRAPPER" ]; then
        need_root "writing $LOADER"
        printf '%s\n' "$WRAPPER" >"$LOADER.tmp"
        chmod 755 "$LOADER.tmp"
        mv "$LOADER.tmp" "$LOADER"
    fi
}

route_native() {
    local file
    for file in "$LOADER" "$NATIVE_PRELOADER"; do
        diverted "$file" || continue
        need_root "restoring Wine's own 32-bit loader"
        [ "$file" = "$LOADER" ] && rm -f "$LOADER"
        dpkg-divert --quiet --local --rename --remove "$file"
    done
    rmdir "$(dirname "$REAL_LOADER")" 2>/dev/null || true
}

setup() {
    case "${TESSALY_WINE32:-auto}" in
        emulated) route_emulated ;;
        auto) if runs_32bit_code; then route_native; else route_emulated; fi ;;
        *)
            say "TESSALY_WINE32 is '$TESSALY_WINE32'; expected auto (the default) or emulated"
            exit 2 ;;
    esac
    say "Wine's 32-bit side runs $(route)"
    check
}

check() {
    local output status=0
    output=$("$LOADER" --version 2>&1) || status=$?
    [ $status -eq 0 ] && return 0
    local tried="run natively" missing="it is missing: Wine's 32-bit packages are not installed"
    if emulated; then
        tried="run under $EMULATOR with $PRELOADER"
        missing="$EMULATOR, $PRELOADER or $REAL_LOADER is missing"
    fi
    local cause="it did not start"
    case "$output" in
        *"Exec format error"*) cause="this kernel executes no 32-bit code" ;;
        *"No such file"* | *"not found"*) cause=$missing ;;
    esac
    say "Wine cannot start 32-bit Windows programs on this machine: $LOADER --version (${tried}) failed with exit $status, \"$(head -n 1 <<<"$output" | sed -E 's/^.*line [0-9]+: //')\": $cause. Run tools/install-deps.sh as root to route it through qemu-i386-static where the kernel needs that, or set TESSALY_WINE32=emulated to force that route."
    exit 1
}

case "${1:-}" in
    setup | route | check) "$1" ;;
    *)
        echo "usage: tools/wine32.sh setup|route|check" >&2
        exit 2 ;;
esac
