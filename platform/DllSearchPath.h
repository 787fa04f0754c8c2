#pragma once

// Confines the search for DLLs that the process loads from now on to the
// system folder, so that a DLL planted beside the executable (a setup program
// is often started from a downloads folder) or in the current directory is
// never loaded. Where the system cannot do that, at least the current
// directory is taken out of the search.
void RestrictDllSearchToSystemFolder();
