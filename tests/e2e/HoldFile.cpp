// Test helper for the end-to-end scenarios: holds a file open the way another
// program might, for writing and with read sharing only, so that nobody else
// can delete or write it.
//
// Usage: HoldFile.exe FILE READY RELEASE
// Creates READY once the file is held, then holds it until RELEASE exists
// (or a minute has passed).
#include <windows.h>

int main(int argc, char** argv) {
    if (argc != 4) return 2;
    HANDLE hHeld = CreateFileA(argv[1], GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
    if (hHeld == INVALID_HANDLE_VALUE) return 1;

    HANDLE hReady = CreateFileA(argv[2], GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (hReady != INVALID_HANDLE_VALUE) CloseHandle(hReady);

    for (int tick = 0; tick < 600 && GetFileAttributesA(argv[3]) == INVALID_FILE_ATTRIBUTES; ++tick) Sleep(100);
    CloseHandle(hHeld);
    return 0;
}
