#!/usr/bin/env bash
# Installs what is needed, builds TessalySetup.exe and runs it once in a
# throwaway Wine prefix, then shows what it did.
set -euo pipefail
cd "$(dirname "$0")/.."

tools/install-deps.sh
tools/build.sh windows >/dev/null

export TESSALY_EXE=$PWD/build/windows/TessalySetup.exe
export WINE_TEMPLATE=$PWD/build/windows/wine-template
. tests/e2e/lib.sh

echo "Preparing a Wine prefix..."
make_template
new_prefix

echo "Running $TESSALY_EXE (Wine's 32-bit side: $(tools/wine32.sh route))"
run_setup
package="$(temp_folder)/VelstromTessalySetup.msi"

echo
echo "exit code:          $exit_code"
if [ -f "$package" ]; then
    echo "extracted package:  C:\\users\\$(basename "$(dirname "$(temp_folder)")")\\Temp\\VelstromTessalySetup.msi ($(stat -c %s "$package") bytes)"
else
    echo "extracted package:  none"
fi
views=()
for view in 32 64; do
    wine reg query 'HKLM\Software\Velstrom\Freeware - Tessaly' /v SourceInfo "/reg:$view" >/dev/null 2>&1 &&
        views+=("$view-bit")
done
recorded=$(printf '%s and ' "${views[@]}")
recorded=${recorded% and }
echo "install source:     \"SourceInfo\" under HKLM\\Software\\Velstrom\\Freeware - Tessaly, in the ${recorded:-no} registry view(s)"
if wait_installed 60; then
    echo "installer:          ran; Velstrom Tessaly is installed in C:\\Program Files (x86)\\Velstrom\\Tessaly:"
    ls -l "$WINEPREFIX/$PRODUCT_DIR" | tail -n +2 | sed 's/^/                      /'
else
    echo "installer:          the product did not appear within 60 seconds"
    exit 1
fi
