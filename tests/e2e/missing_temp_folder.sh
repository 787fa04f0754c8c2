#!/usr/bin/env bash
# TEMP and TMP name a folder that does not exist: nothing is written anywhere,
# nothing is launched, and the exit code is 1.
set -u
. "$(dirname "$0")/lib.sh"

new_prefix
set_temp_folder 'C:\no such folder\Temp'
mkdir "$WINEPREFIX/cwd"
cd "$WINEPREFIX/cwd"
run_setup_traced
cd - >/dev/null

check "exit code is 1 (was $exit_code)" [ "$exit_code" -eq 1 ]
check "no package file anywhere" bash -c '[ -z "$(find "$0" -name VelstromTessalySetup.msi)" ]' "$WINEPREFIX"
check "the folder was not created" [ ! -e "$WINEPREFIX/drive_c/no such folder" ]
check "the shell was not asked to open anything" not shell_was_asked
check "nothing was installed" not installed_after_all_ended
finish
