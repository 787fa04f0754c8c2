#include "framework/CWinApp.h"
#include "platform/DllSearchPath.h"

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR lpCmdLine, int nCmdShow) {
    // Before anything can load a DLL.
    RestrictDllSearchToSystemFolder();
    return AfxWinMain(hInstance, hPrevInstance, lpCmdLine, nCmdShow);
}
