// A DLL planted under the name of a system DLL. Whenever a process loads it,
// it appends "<process>\t<itself>" to C:\planted.log, so that a scenario can
// tell which process ran its code. It imports nothing but KERNEL32: it may
// stand in for any other DLL.
#include <windows.h>

namespace {

void Append(HANDLE hLog, const char* pszText) {
    DWORD nWritten = 0;
    WriteFile(hLog, pszText, static_cast<DWORD>(lstrlenA(pszText)), &nWritten, nullptr);
}

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE hDll, DWORD nReason, LPVOID) {
    if (nReason != DLL_PROCESS_ATTACH) return TRUE;
    char szProcess[MAX_PATH] = "";
    char szDll[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, szProcess, MAX_PATH);
    GetModuleFileNameA(hDll, szDll, MAX_PATH);
    const HANDLE hLog = CreateFileA("C:\\planted.log", FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                    OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (hLog == INVALID_HANDLE_VALUE) return TRUE;
    Append(hLog, szProcess);
    Append(hLog, "\t");
    Append(hLog, szDll);
    Append(hLog, "\r\n");
    CloseHandle(hLog);
    return TRUE;
}
