#!/usr/bin/env bash
# A temporary folder whose name has letters that the ANSI code page (1252)
# lacks: GetTempPathA spells it with look-alikes, which name no folder. The
# package still lands in that folder, through its short name, and installs.
set -u
. "$(dirname "$0")/lib.sh"
: "${TESSALY_PACKAGE:?}"

new_prefix
folder='C:\Użytkownik Łukasz Źródło\Temp'
set_temp_folder "$folder"
mkdir -p "$(unix_path "$folder")"
run_setup

check "exit code is 0 (was $exit_code)" [ "$exit_code" -eq 0 ]
check "the package is written into that folder, byte for byte" \
    cmp -s "$TESSALY_PACKAGE" "$(unix_path "$folder")/VelstromTessalySetup.msi"
check "nothing is written under the look-alike name" [ ! -e "$(unix_path 'C:\Uzytkownik Lukasz Zródlo')" ]
check "the product is installed" wait_installed 60
finish
