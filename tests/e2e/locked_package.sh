#!/usr/bin/env bash
# A file of the package's name held open by another program, without write
# sharing: it is left as it is, nothing is launched, and the exit code is 1.
set -u
. "$(dirname "$0")/lib.sh"
: "${HOLD_FILE_EXE:?HOLD_FILE_EXE names the test helper that holds a file open}"

new_prefix
package="$(temp_folder)/VelstromTessalySetup.msi"
echo "another program's file" >"$package"
cp "$package" "$WINEPREFIX/original"

windows_package="C:\\users\\$(basename "$(dirname "$(temp_folder)")")\\Temp\\VelstromTessalySetup.msi"
wine "$HOLD_FILE_EXE" "$windows_package" 'C:\held' 'C:\release' &
holder=$!
for _ in $(seq 100); do [ -e "$WINEPREFIX/drive_c/held" ] && break; sleep 0.2; done
check "the other program holds the file" [ -e "$WINEPREFIX/drive_c/held" ]

run_setup_traced
touch "$WINEPREFIX/drive_c/release"
wait "$holder"

check "exit code is 1 (was $exit_code)" [ "$exit_code" -eq 1 ]
check "the held file is untouched" cmp -s "$WINEPREFIX/original" "$package"
check "the shell was not asked to open anything" not shell_was_asked
check "nothing was installed" not installed_after_all_ended
finish
