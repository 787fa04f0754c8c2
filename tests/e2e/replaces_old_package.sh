#!/usr/bin/env bash
# An older, longer file of the package's name in the temporary folder is
# replaced entirely, and the new package is launched.
set -u
. "$(dirname "$0")/lib.sh"
: "${TESSALY_PACKAGE:?}"

new_prefix
package="$(temp_folder)/VelstromTessalySetup.msi"
head -c $(( $(stat -c %s "$TESSALY_PACKAGE") * 3 )) /dev/urandom >"$package"
run_setup

check "exit code is 0 (was $exit_code)" [ "$exit_code" -eq 0 ]
check "the old file is replaced by the package, byte for byte" cmp -s "$TESSALY_PACKAGE" "$package"
check "the product is installed" wait_installed 60
finish
