// Binds ADVAPI32 the way the bootstrapper does on a system that cannot confine
// the DLL search to the system folder (no SetDefaultDllDirectories): with only
// the current directory taken out of the search, the delay-load hook loads it
// by its full path there.
#include "platform/WinApi.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    SetDllDirectoryA("");
    HKEY hKey = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Velstrom", 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_WRITE,
                        nullptr, &hKey, nullptr) != ERROR_SUCCESS)
        return 1;
    RegCloseKey(hKey);
    return 0;
}
