#!/usr/bin/env bash
# A DLL planted beside the setup (a downloads folder) or in the folder it is
# started from, named after a DLL that its process loads and preferred over
# the builtin one, is never loaded into it; nor where the system cannot confine
# the DLL search, which a small program that binds ADVAPI32 the same way
# shows. A control program that imports SHELL32 at start-up does load such
# DLLs, so the scenario can tell.
set -u
. "$(dirname "$0")/lib.sh"
: "${PLANTED_DLL:?}" "${CONTROL_EXE:?}" "${NOOP_EXE:?}" "${UNCONFINED_EXE:?}"

# DLLs that Windows only ever takes from the system folder (Known DLLs), which
# every process binds at start-up; Wine does not protect them.
KNOWN_DLLS="ntdll kernel32 kernelbase msvcrt"
# Wine's SHELL32 binds OLE32 and with it COMBASE and RPCRT4 on first use
# through its own delay-load table, which Wine resolves on the default search
# path whatever the process set with SetDefaultDllDirectories (Windows applies
# it, and knows them as Known DLLs).
WINE_DELAY_LOADED="ole32 combase rpcrt4"

new_prefix
open_packages_with_noop "$NOOP_EXE"
downloads=$WINEPREFIX/drive_c/Downloads
work=$WINEPREFIX/drive_c/Work
mkdir -p "$downloads" "$work"
cp "$TESSALY_EXE" "$downloads/TessalySetup.exe"
cp "$CONTROL_EXE" "$downloads/Control.exe"
cp "$UNCONFINED_EXE" "$downloads/Unconfined.exe"

# Starts C:\Downloads\$1 from C:\Work under Wine's loader trace. Its exit code
# lands in $exit_code and the DLLs its own process loaded (paths, one a line)
# in $loaded.
run_from_downloads() {
    exit_code=0
    (cd "$work" && WINEDEBUG=+loaddll wine "C:\\Downloads\\$1") 2>"$WINEPREFIX/loaddll.log" || exit_code=$?
    local process
    process=$(grep -a -m1 -F "Downloads\\\\$1\"" "$WINEPREFIX/loaddll.log" | cut -d: -f1)
    loaded=$(grep -a "^$process:trace:loaddll:.* Loaded L\"" "$WINEPREFIX/loaddll.log" |
        sed -E 's/.* Loaded L"([^"]*)".*/\1/; s/\\\\/\\/g')
}

run_from_downloads TessalySetup.exe
names=$(sed -E 's/.*\\//; s/\.dll$//I' <<<"$loaded" | tr 'A-Z' 'a-z' | grep -v -x -F -e TessalySetup.exe -i |
    grep -v -x -F $(printf -- '-e %s ' $KNOWN_DLLS $WINE_DELAY_LOADED) | sort -u)
echo "  planted, beside the setup and in its working folder: $(echo $names)"
check "the setup's process loads DLLs to plant ($(wc -w <<<"$names"))" [ "$(wc -w <<<"$names")" -ge 5 ]
for name in $names; do
    cp "$PLANTED_DLL" "$downloads/$name.dll"
    cp "$PLANTED_DLL" "$work/$name.dll"
done
export WINEDLLOVERRIDES="$WINEDLLOVERRIDES;$(tr '\n' ',' <<<"$names" | sed 's/,$//')=n,b"

# The planted DLLs in $loaded.
planted_loads() { grep -i -E '^C:\\(Downloads|Work)\\.*\.dll$' <<<"$loaded"; }
ran_in() { grep -q -F "$1" "$WINEPREFIX/drive_c/planted.log" 2>/dev/null; }

run_from_downloads TessalySetup.exe
echo "  loaded into the setup's process: $(echo $(grep -v -F TessalySetup.exe <<<"$loaded" | sed 's/.*\\//'))"
check "the setup still ends with exit code 0 (was $exit_code)" [ "$exit_code" -eq 0 ]
check "its process loads none of the planted DLLs" [ -z "$(planted_loads)" ]
check "none of them ran code in it" not ran_in 'TessalySetup.exe'

run_from_downloads Unconfined.exe
check "where the search cannot be confined, ADVAPI32 is still bound (exit code $exit_code)" [ "$exit_code" -eq 0 ]
check "from the system folder: $(grep -i -F 'advapi32.dll' <<<"$loaded")" \
    grep -q -i -F 'C:\windows\system32\advapi32.dll' <<<"$loaded"
check "and none of the planted DLLs is loaded" [ -z "$(planted_loads)" ]

run_from_downloads Control.exe
check "the control program loads planted DLLs: $(echo $(planted_loads))" [ -n "$(planted_loads)" ]
check "and they run code in it" ran_in 'Control.exe'
finish
