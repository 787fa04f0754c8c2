#!/usr/bin/env bash
# Where Wine's 32-bit loader cannot start, tools/wine32.sh stops the demo, the
# tests and the benchmarks with one message that names the cause, what was
# tried and what to do.
set -u
. "$(dirname "$0")/../check.sh"
wine32=$(dirname "$0")/../../tools/wine32.sh

dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
# A loader that no kernel executes: an ELF header for no machine at all.
printf '\177ELF\1\1\1\0\0\0\0\0\0\0\0\0\2\0\377\377' >"$dir/wine"
chmod +x "$dir/wine"

says() { grep -q -F -- "$1" <<<"$message"; }
fails_with() { [ "$status" -eq "$1" ] && says "$2"; }

status=0
message=$(TESSALY_WINE32_LOADER=$dir/wine "$wine32" check 2>&1) || status=$?
echo "  $message"
check "a loader the kernel cannot execute fails the check (exit $status)" [ "$status" -eq 1 ]
check "with one line" [ "$(wc -l <<<"$message")" -eq 1 ]
check "that names the cause" says "this kernel executes no 32-bit code"
check "and what was tried" says "$dir/wine --version (run natively) failed with exit 126"
check "and what to do" says "TESSALY_WINE32=emulated"

status=0
message=$(TESSALY_WINE32_LOADER=$dir/missing "$wine32" check 2>&1) || status=$?
check "a missing loader fails too, named as such (exit $status)" fails_with 1 "Wine's 32-bit packages are not installed"

status=0
message=$(TESSALY_WINE32=sometimes "$wine32" setup 2>&1) || status=$?
check "a bad TESSALY_WINE32 is refused by name (exit $status)" fails_with 2 "'sometimes'"

check "this machine's loader passes ($("$wine32" route))" "$wine32" check
finish
