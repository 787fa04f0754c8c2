#!/usr/bin/env bash
# The executable is built for address-space randomisation and no-execute data,
# and confines the DLL search to the system folder before it does anything else.
set -u
. "$(dirname "$0")/lib.sh"
: "${TESSALY_PYTHON:?}"

flags=$("$TESSALY_PYTHON" -c '
import pefile, sys
pe = pefile.PE(sys.argv[1])
relocations = pe.OPTIONAL_HEADER.DATA_DIRECTORY[pefile.DIRECTORY_ENTRY["IMAGE_DIRECTORY_ENTRY_BASERELOC"]].Size
print(pe.OPTIONAL_HEADER.DllCharacteristics, relocations)' "$TESSALY_EXE")
read -r characteristics relocations <<<"$flags"
check "ASLR: dynamic base set, with relocations ($relocations bytes)" \
    [ $((characteristics & 0x40)) -ne 0 -a "$relocations" -gt 0 ]
check "DEP: NX compatible" [ $((characteristics & 0x100)) -ne 0 ]

new_prefix
run_setup_traced
check "exit code is 0 (was $exit_code)" [ "$exit_code" -eq 0 ]

first_of() { grep -n -m1 -E "$1" <<<"$own_calls" | cut -d: -f1; }
restrict=$(first_of '^KERNEL32\.SetDefaultDllDirectories\(00000800\)')
check "the DLL search is confined to the system folder" [ -n "$restrict" ]
check "and that succeeded" grep -qE 'Ret  KERNEL32\.SetDefaultDllDirectories\(\) retval=00000001' "$WINEPREFIX/relay.log"
check "before any registry, file or shell call" \
    [ -n "$restrict" -a "$restrict" -lt "$(first_of '(RegCreateKeyExA|CreateFileA|ShellExecuteA)\(')" ]
check "the executable loads no DLL itself" bash -c '! grep -qE "LoadLibrary" <<<"$0"' "$own_calls"
finish
