#!/usr/bin/env bash
# A temporary folder whose path holds spaces and non-ASCII characters of the
# system code page works as usual.
set -u
. "$(dirname "$0")/lib.sh"
: "${TESSALY_PACKAGE:?}"

new_prefix
folder='C:\Temp Ordner für Übersetzungen é'
set_temp_folder "$folder"
mkdir -p "$(unix_path "$folder")"
run_setup

check "exit code is 0 (was $exit_code)" [ "$exit_code" -eq 0 ]
check "the package is written there, byte for byte" \
    cmp -s "$TESSALY_PACKAGE" "$(unix_path "$folder")/VelstromTessalySetup.msi"
check "the product is installed" wait_installed 60
finish
