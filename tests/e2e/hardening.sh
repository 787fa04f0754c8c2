#!/usr/bin/env bash
# The executable is built for address-space randomisation and no-execute data,
# binds nothing but KERNEL32 and the C runtime at start-up, and confines the
# DLL search to the system folder before it does anything else.
set -u
. "$(dirname "$0")/lib.sh"
: "${TESSALY_PYTHON:?}"

flags=$("$TESSALY_PYTHON" -c '
import pefile, sys
pe = pefile.PE(sys.argv[1])
relocations = pe.OPTIONAL_HEADER.DATA_DIRECTORY[pefile.DIRECTORY_ENTRY["IMAGE_DIRECTORY_ENTRY_BASERELOC"]].Size
imports = ",".join(sorted(entry.dll.decode().lower() for entry in pe.DIRECTORY_ENTRY_IMPORT))
print(pe.OPTIONAL_HEADER.DllCharacteristics, relocations, imports)' "$TESSALY_EXE")
read -r characteristics relocations imports <<<"$flags"
check "ASLR: dynamic base set, with relocations ($relocations bytes)" \
    [ $((characteristics & 0x40)) -ne 0 -a "$relocations" -gt 0 ]
check "DEP: NX compatible" [ $((characteristics & 0x100)) -ne 0 ]
check "the import table holds KERNEL32 and msvcrt only (was $imports)" [ "$imports" = kernel32.dll,msvcrt.dll ]

new_prefix
run_setup_traced
check "exit code is 0 (was $exit_code)" [ "$exit_code" -eq 0 ]

first_of() { grep -n -m1 -E "$1" <<<"$own_calls" | cut -d: -f1; }
restrict=$(first_of '^KERNEL32\.SetDefaultDllDirectories\(00000800\)')
check "the DLL search is confined to the system folder" [ -n "$restrict" ]
check "and that succeeded" grep -qE 'Ret  KERNEL32\.SetDefaultDllDirectories\(\) retval=00000001' "$WINEPREFIX/relay.log"
check "before any registry, file or shell call" \
    [ -n "$restrict" -a "$restrict" -lt "$(first_of '(RegCreateKeyExA|CreateFileA|ShellExecuteA)\(')" ]
loads=$(grep -E 'LoadLibrary' <<<"$own_calls" | sed -E 's/^KERNEL32\.(LoadLibrary[A-Za-z]*)\([0-9a-f]+ "([^"]*)".*/\1 \2/')
check "the DLLs it binds itself are ADVAPI32 and SHELL32, by name: $(echo $loads)" \
    [ "$(echo $loads)" = "LoadLibraryA ADVAPI32.dll LoadLibraryA SHELL32.dll" ]
check "after the confinement" [ -n "$restrict" -a "$restrict" -lt "$(first_of 'LoadLibrary')" ]
finish
