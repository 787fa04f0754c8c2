#!/usr/bin/env bash
# Installs what is needed, builds both builds and runs every test: the unit
# tests on the host, then the end-to-end scenarios under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."

tools/install-deps.sh
tools/build.sh host windows

status=0
(cd build/host && ctest --output-on-failure) || status=1
(cd build/windows && ctest --output-on-failure) || status=1
exit $status
