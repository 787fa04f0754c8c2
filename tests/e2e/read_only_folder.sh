#!/usr/bin/env bash
# Started from a read-only folder (where it is also the current directory),
# the executable works as usual.
set -u
. "$(dirname "$0")/lib.sh"

new_prefix
downloads="$WINEPREFIX/drive_c/users/Public/Downloads"
mkdir -p "$downloads"
cp "$TESSALY_EXE" "$downloads/TessalySetup.exe"
chmod a-w "$downloads/TessalySetup.exe" "$downloads"
(cd "$downloads" && TESSALY_EXE='C:\users\Public\Downloads\TessalySetup.exe' run_setup && exit "$exit_code") &&
    exit_code=0 || exit_code=$?
chmod u+w "$downloads"

check "exit code is 0 (was $exit_code)" [ "$exit_code" -eq 0 ]
check "the package is extracted to the temporary folder" [ -s "$(temp_folder)/VelstromTessalySetup.msi" ]
check "nothing is written beside the executable" bash -c '[ "$(ls "$0")" = TessalySetup.exe ]' "$downloads"
check "the product is installed" wait_installed 60
finish
