#include "platform/DllSearchPath.h"
#include "platform/WinApi.h"

void RestrictDllSearchToSystemFolder() {
    // Looked up at run time: systems without the call must still start.
    typedef BOOL(WINAPI * SetDefaultDllDirectoriesFn)(DWORD);
    const FARPROC pProc = GetProcAddress(GetModuleHandleA("kernel32.dll"), "SetDefaultDllDirectories");
    const auto pSetDefaultDllDirectories = reinterpret_cast<SetDefaultDllDirectoriesFn>(reinterpret_cast<void*>(pProc));
    if (pSetDefaultDllDirectories != nullptr && pSetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32)) return;
    SetDllDirectoryA("");
}
