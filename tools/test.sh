#!/usr/bin/env bash
# Installs what is needed, builds everything and runs every test: the unit
# tests on the host, again under AddressSanitizer and UndefinedBehaviorSanitizer,
# a bounded fuzz run of the encoder, then the checks of the built executable
# and the end-to-end scenarios under Wine. Where Wine cannot start 32-bit
# programs, tools/install-deps.sh stops it at once, saying why.
set -euo pipefail
cd "$(dirname "$0")/.."

tools/install-deps.sh
tools/build.sh host sanitize fuzz bench windows  # bench: built, so that it keeps building; run by bench/run.sh

status=0
for build in host sanitize fuzz windows; do
    echo "== $build"
    (cd "build/$build" && ctest --output-on-failure) || status=1
done
exit $status
