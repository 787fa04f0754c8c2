#!/usr/bin/env bash
# Builds what is asked: "windows" (build/windows/TessalySetup.exe), "host"
# (the unit tests in build/host), "sanitize" (the unit tests under
# AddressSanitizer and UndefinedBehaviorSanitizer, in build/sanitize), "fuzz"
# (the encoder's fuzz target, in build/fuzz), "bench" (the host benchmarks,
# in build/bench); host and windows when nothing is named.
set -euo pipefail
cd "$(dirname "$0")/.."

targets=("$@")
[ ${#targets[@]} -eq 0 ] && targets=(host windows)

for target in "${targets[@]}"; do
    case "$target" in
        windows)
            toolchain=()
            [ -f build/windows/CMakeCache.txt ] || toolchain=(-DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/mingw-i686.cmake")
            cmake -S . -B build/windows "${toolchain[@]}" -DCMAKE_BUILD_TYPE=Release >/dev/null ;;
        host)
            cmake -S . -B build/host -DCMAKE_BUILD_TYPE=Debug >/dev/null ;;
        sanitize)
            cmake -S . -B build/sanitize -DCMAKE_BUILD_TYPE=Debug -DTESSALY_SANITIZE=ON >/dev/null ;;
        bench)
            cmake -S . -B build/bench -DCMAKE_BUILD_TYPE=Release -DTESSALY_BENCH=ON >/dev/null ;;
        fuzz)
            cmake -S . -B build/fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
                -DTESSALY_FUZZ=ON >/dev/null ;;
        *)
            echo "build.sh: unknown target '$target' (expected host, windows, sanitize, fuzz or bench)" >&2
            exit 2 ;;
    esac
    cmake --build "build/$target" -j "$(nproc)"
done
