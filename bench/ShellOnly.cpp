// A second baseline of the run-time benchmark: a program that does nothing but
// what the bootstrapper must do last, ask the shell to open the package that
// stands in the temporary folder. Against it, the bootstrapper's own work shows.
#include <windows.h>
// shellapi.h needs the types of windows.h.
#include <shellapi.h>

#include <cstring>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    char path[MAX_PATH + 32] = "";
    GetTempPathA(MAX_PATH, path);
    std::strcat(path, "VelstromTessalySetup.msi");
    return reinterpret_cast<INT_PTR>(ShellExecuteA(nullptr, "open", path, "", "", SW_SHOW)) > 32 ? 0 : 2;
}
