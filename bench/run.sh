#!/usr/bin/env bash
# Builds what the benchmarks need, runs them and prints a table of figures:
# the executable's size outside its resources, its run time under Wine against
# a program that returns at once, the memory a whole run allocates, and the
# encoder's throughput against OpenSSL's. Figures, not verdicts.
set -euo pipefail
cd "$(dirname "$0")/.."

tools/install-deps.sh >&2
tools/build.sh windows bench >/dev/null

exe=build/windows/TessalySetup.exe
export TESSALY_EXE=$PWD/$exe
export WINE_TEMPLATE=$PWD/build/windows/wine-template
. tests/e2e/lib.sh

# Size: the file less its resource section.
read -r file_bytes resource_bytes < <(/usr/bin/python3 -c '
import os, sys, pefile
pe = pefile.PE(sys.argv[1])
print(os.path.getsize(sys.argv[1]), sum(s.SizeOfRawData for s in pe.sections if s.Name.rstrip(b"\0") == b".rsrc"))' "$exe")
code_bytes=$((file_bytes - resource_bytes))

# Run time: one prefix in which ".msi" opens a program that returns at once;
# the bootstrapper and that same program take turns.
make_template >&2
new_prefix
wineserver -p  # stays up between the runs
open_packages_with_noop build/windows/noop.exe
elapsed_us() {
    local start end
    start=$(date +%s%N)
    wine "$@" >/dev/null 2>&1 || true
    end=$(date +%s%N)
    echo $(((end - start) / 1000))
}
runs=21
baseline=() shell_only=() setup=()
elapsed_us "$TESSALY_EXE" >/dev/null  # warms up, and leaves the package for shell_only.exe
elapsed_us 'C:\windows\noop.exe' >/dev/null
for _ in $(seq $runs); do
    baseline+=("$(elapsed_us 'C:\windows\noop.exe')")
    shell_only+=("$(elapsed_us build/windows/shell_only.exe)")
    setup+=("$(elapsed_us "$TESSALY_EXE")")
done
median() { printf '%s\n' "$@" | sort -n | sed -n "$((($# + 1) / 2))p"; }
baseline_us=$(median "${baseline[@]}")
shell_only_us=$(median "${shell_only[@]}")
setup_us=$(median "${setup[@]}")
wineserver -k

memory=$(build/bench/memory_bench build/windows/res/VelstromTessaly.msi build/windows/res/InstallSource.k7r)
encoder=$(build/bench/encoder_bench)

figure() { printf '| %s | %s | %s |\n' "$1" "$2" "$3"; }
echo "| Benchmark | Figure | Target |"
echo "|---|---|---|"
figure "Wine's 32-bit side" "$(tools/wine32.sh route)" "(emulated, times are about ten times longer; the ratios still compare)"
figure "Size outside the resources" "$code_bytes bytes ($((code_bytes / 1024)) KiB; the file is $file_bytes bytes)" "at most 65536 bytes"
ms() { awk -v us="$1" 'BEGIN { printf "%.1f ms", us / 1000 }'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }
figure "Run time under Wine, median of $runs" \
    "$(ms "$setup_us"), against $(ms "$baseline_us") for a program that returns at once: ratio $(ratio "$setup_us" "$baseline_us")" \
    "ratio at most 1.10"
figure "Run time, against the shell call alone" \
    "$(ms "$setup_us"), against $(ms "$shell_only_us") for a program that only asks the shell to open the package: ratio $(ratio "$setup_us" "$shell_only_us")" \
    "(for reading the one above)"
while read -r line; do
    figure "${line%%:*}" "${line#*: }" "the same for both, at most 16384 bytes"
done <<<"$memory"
while read -r line; do
    figure "${line%%:*}" "${line#*: }" "at least as fast (ratio at least 1.00)"
done <<<"$encoder"
