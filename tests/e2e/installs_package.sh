#!/usr/bin/env bash
# A run in a fresh prefix writes the carried package to the temporary folder,
# byte for byte, and Windows Installer installs the product from it; the
# product can then be removed again.
set -u
. "$(dirname "$0")/lib.sh"
: "${TESSALY_PACKAGE:?TESSALY_PACKAGE names the package carried in the executable}"

new_prefix
run_setup
package="$(temp_folder)/VelstromTessalySetup.msi"

check "exit code is 0 (was $exit_code)" [ "$exit_code" -eq 0 ]
check "the package is extracted byte for byte" cmp -s "$TESSALY_PACKAGE" "$package"
check "the product is installed" wait_installed 60
shortcut=$(find "$WINEPREFIX/drive_c" -path '*Start Menu/Programs/Velstrom Tessaly/*.lnk' | head -n 1)
check "its Start-menu shortcut is there" [ -n "$shortcut" ]

wine msiexec /x "$PRODUCT_CODE" /qn >/dev/null 2>&1
wineserver -w
check "msiexec removes it" [ ! -e "$WINEPREFIX/$PRODUCT_DIR/ReadMe.txt" ]
finish
