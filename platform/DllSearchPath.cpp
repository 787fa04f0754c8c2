#include "platform/DllSearchPath.h"

#include <cstring>

namespace {
bool g_bSearchConfined = false;
}  // namespace

void RestrictDllSearchToSystemFolder() {
    // Looked up at run time: systems without the call must still start.
    typedef BOOL(WINAPI * SetDefaultDllDirectoriesFn)(DWORD);
    const FARPROC pProc = GetProcAddress(GetModuleHandleA("kernel32.dll"), "SetDefaultDllDirectories");
    const auto pSetDefaultDllDirectories = reinterpret_cast<SetDefaultDllDirectoriesFn>(reinterpret_cast<void*>(pProc));
    g_bSearchConfined = pSetDefaultDllDirectories != nullptr && pSetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
    if (!g_bSearchConfined) SetDllDirectoryA("");
}

bool IsDllSearchConfined() { return g_bSearchConfined; }

HMODULE LoadSystemDll(LPCSTR pszName) {
    char szPath[MAX_PATH];
    const UINT nFolder = GetSystemDirectoryA(szPath, MAX_PATH);
    const size_t nName = std::strlen(pszName);
    if (nFolder == 0 || nFolder + 1 + nName >= MAX_PATH) return nullptr;
    szPath[nFolder] = '\\';
    std::memcpy(szPath + nFolder + 1, pszName, nName + 1);
    return LoadLibraryExA(szPath, nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}
