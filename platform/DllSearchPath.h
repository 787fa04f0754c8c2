#pragma once
#include "platform/WinApi.h"

// Confines the search for DLLs that the process loads from now on to the
// system folder, so that a DLL planted beside the executable (a setup program
// is often started from a downloads folder) or in the current directory is
// never loaded. Where the system cannot do that, at least the current
// directory is taken out of the search.
void RestrictDllSearchToSystemFolder();

// Whether RestrictDllSearchToSystemFolder confined the search to the system
// folder.
bool IsDllSearchConfined();

// Loads a DLL of the system folder by its full path there, so that it cannot
// be found anywhere else; the DLLs it imports are looked for in its own folder
// first, not beside the executable. For systems where the search could not be
// confined. Null when it cannot be loaded.
HMODULE LoadSystemDll(LPCSTR pszName);
