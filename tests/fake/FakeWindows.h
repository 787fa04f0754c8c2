#pragma once
// An in-memory Windows for the unit tests: a file system with a temporary
// folder, the module's resources, a registry with a 32-bit and a 64-bit view,
// a shell, a DLL loader and a process heap. Texts are held in UTF-8; the ANSI
// code page is Latin-1 with a few best-fit look-alikes (Ł as L, ź as z, Ω as
// O) and '?' for every other letter it lacks. Every call is logged with its arguments, and
// switches make each call fail the way the real one can.
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "platform/WinApi.h"

class FakeWindows {
public:
    enum View { kView32 = 0, kView64 = 1 };

    struct RegistryValue {
        DWORD type;
        std::string data;
        bool operator==(const RegistryValue& o) const { return type == o.type && data == o.data; }
    };
    typedef std::map<std::string, std::map<std::string, RegistryValue>> RegistryView;

    // The one instance the Windows calls act on.
    static FakeWindows& Get();

    // Back to a fresh machine: empty files, registry and log, no faults, a
    // temporary folder that exists, and no resources.
    void Reset();

    HMODULE Module() const { return reinterpret_cast<HMODULE>(0x400000); }

    // The machine.
    std::string tempPath;                           // the user's temporary folder
    std::set<std::string> directories;              // existing folders, without a final separator
    std::map<std::string, std::string> shortNames;  // folder -> its short form, with final separators
    std::map<std::string, std::string> files;
    std::set<std::string> lockedFiles;  // neither deletable nor writable (read-only, or open elsewhere)
    std::map<std::pair<std::string, int>, std::string> resources;  // (type, id) -> bytes
    RegistryView registry[2];
    bool registryDenied[2] = {false, false};

    // Faults.
    bool failDelete = false;
    bool failCreate = false;
    long writeLimit = -1;  // bytes a write takes before it stops short; -1 for all
    bool failClose = false;
    bool failLoadResource = false;
    bool failLockResource = false;
    int failRegCloseKeyNumber = 0;            // the n-th RegCloseKey fails (1-based); 0 for none
    INT_PTR shellResult = 42;                 // what ShellExecuteA returns; 32 or less is a refusal
    bool hasSetDefaultDllDirectories = true;  // false: a system before it
    bool failSetDefaultDllDirectories = false;

    // What happened.
    std::vector<std::string> calls;
    std::vector<std::string> launchedContents;  // the file's bytes as the shell found them
    int openFiles() const { return static_cast<int>(m_openFiles.size()); }
    int openKeys() const { return static_cast<int>(m_openKeys.size()); }

    // Helpers for tests.
    void SetResource(const std::string& type, int id, const std::string& bytes) { resources[{type, id}] = bytes; }
    bool IsLaunched() const { return !launchedContents.empty(); }

    // Implementation of the Windows calls.
    DWORD GetTempPathA(DWORD nBufferLength, LPSTR lpBuffer);
    DWORD GetTempPathW(DWORD nBufferLength, LPWSTR lpBuffer);
    DWORD GetShortPathNameW(LPCWSTR lpszLongPath, LPWSTR lpszShortPath, DWORD cchBuffer);
    int WideCharToMultiByte(UINT CodePage, DWORD dwFlags, LPCWSTR lpWideCharStr, int cchWideChar, LPSTR lpMultiByteStr,
                            int cbMultiByte, LPCSTR lpDefaultChar, LPBOOL lpUsedDefaultChar);
    BOOL DeleteFileA(LPCSTR lpFileName);
    HANDLE CreateFileA(LPCSTR lpFileName, DWORD dwDesiredAccess, DWORD dwShareMode, LPSECURITY_ATTRIBUTES lpSa,
                       DWORD dwCreationDisposition, DWORD dwFlagsAndAttributes, HANDLE hTemplateFile);
    BOOL WriteFile(HANDLE hFile, LPCVOID lpBuffer, DWORD nBytes, LPDWORD lpWritten, LPOVERLAPPED lpOverlapped);
    BOOL CloseHandle(HANDLE hObject);
    HRSRC FindResourceA(HMODULE hModule, LPCSTR lpName, LPCSTR lpType);
    HGLOBAL LoadResource(HMODULE hModule, HRSRC hResInfo);
    DWORD SizeofResource(HMODULE hModule, HRSRC hResInfo);
    LPVOID LockResource(HGLOBAL hResData);
    int lstrlenA(LPCSTR lpString);
    HMODULE GetModuleHandleA(LPCSTR lpModuleName);
    FARPROC GetProcAddress(HMODULE hModule, LPCSTR lpProcName);
    BOOL SetDefaultDllDirectories(DWORD DirectoryFlags);
    BOOL SetDllDirectoryA(LPCSTR lpPathName);
    UINT GetSystemDirectoryA(LPSTR lpBuffer, UINT uSize);
    HMODULE LoadLibraryExA(LPCSTR lpLibFileName, HANDLE hFile, DWORD dwFlags);
    LSTATUS RegCreateKeyExA(HKEY hKey, LPCSTR lpSubKey, DWORD Reserved, LPSTR lpClass, DWORD dwOptions,
                            REGSAM samDesired, LPSECURITY_ATTRIBUTES lpSa, PHKEY phkResult, LPDWORD lpdwDisposition);
    LSTATUS RegSetValueExA(HKEY hKey, LPCSTR lpValueName, DWORD Reserved, DWORD dwType, const BYTE* lpData,
                           DWORD cbData);
    LSTATUS RegCloseKey(HKEY hKey);
    HINSTANCE ShellExecuteA(HWND hwnd, LPCSTR lpOperation, LPCSTR lpFile, LPCSTR lpParameters, LPCSTR lpDirectory,
                            INT nShowCmd);

private:
    struct OpenKey {
        View view;
        std::string path;
    };

    std::string Name(HMODULE hModule) const;
    std::string Name(HRSRC hResInfo) const;
    std::string DataName(const void* p) const;
    bool FolderExists(LPCSTR pszAnsiPath) const;

    std::map<int, std::string> m_openFiles;  // handle number -> path
    std::map<int, OpenKey> m_openKeys;       // handle number -> key
    int m_nextHandle = 1;
    int m_registryCloses = 0;
};

// The process heap: counts the program's allocations and fails the one it is
// told to. Plain data, so that it works before and after any constructor runs.
struct FakeHeap {
    static long failAt;       // the allocation, counted from 1 after Arm, that fails; 0 for none
    static long allocations;  // since Arm
    static long long bytes;   // since Arm
    static int fakeDepth;     // > 0 while the fake itself runs: its own allocations are not the program's

    // Marks a call into the fake for as long as it lives.
    struct InFake {
        InFake() { ++fakeDepth; }
        ~InFake() { --fakeDepth; }
    };

    // How many of the program's allocations are not freed yet.
    static long Live();

    static void Arm(long nFailAt) {
        failAt = nFailAt;
        allocations = 0;
        bytes = 0;
    }
};
