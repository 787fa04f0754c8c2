#include "tests/fake/FakeWindows.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

std::string Quote(LPCSTR psz) { return psz == nullptr ? "NULL" : "\"" + std::string(psz) + "\""; }

std::string Hex(unsigned long value) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%lx", value);
    return text;
}

std::string ResourceName(LPCSTR psz) {
    if (IS_INTRESOURCE(psz)) return "#" + std::to_string(reinterpret_cast<ULONG_PTR>(psz));
    return Quote(psz);
}

int HandleNumber(const void* h) { return static_cast<int>(reinterpret_cast<INT_PTR>(h) >> 4); }
template <typename T>
T MakeHandle(int n) {
    return reinterpret_cast<T>(static_cast<INT_PTR>(n) << 4);
}

std::string ParentFolder(const std::string& path) {
    const auto slash = path.find_last_of("\\/");
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

}  // namespace

FakeWindows& FakeWindows::Get() {
    static FakeWindows instance;
    return instance;
}

void FakeWindows::Reset() {
    *this = FakeWindows();
    tempPath = "C:\\Users\\tester\\Temp\\";
    directories = {"C:\\Users\\tester\\Temp"};
}

std::string FakeWindows::Name(HMODULE hModule) const { return hModule == Module() ? "self" : "other module"; }

std::string FakeWindows::Name(HRSRC hResInfo) const {
    for (const auto& entry : resources)
        if (reinterpret_cast<const void*>(&entry) == hResInfo)
            return entry.first.first + "#" + std::to_string(entry.first.second);
    return hResInfo == nullptr ? "NULL" : "unknown resource";
}

std::string FakeWindows::DataName(const void* p) const {
    for (const auto& entry : resources)
        if (p == entry.second.data()) return entry.first.first + "#" + std::to_string(entry.first.second) + " data";
    return p == nullptr ? "NULL" : "a copy";
}

bool FakeWindows::FolderExists(const std::string& path) const {
    const std::string folder = ParentFolder(path);
    return folder.empty() || directories.count(folder) != 0;
}

DWORD FakeWindows::GetTempPathA(DWORD nBufferLength, LPSTR lpBuffer) {
    calls.push_back("GetTempPathA(" + std::to_string(nBufferLength) + ")");
    const DWORD nLength = static_cast<DWORD>(tempPath.size());
    if (nLength == 0) return 0;
    if (nLength + 1 > nBufferLength) return nLength + 1;  // too small: nothing written
    std::memcpy(lpBuffer, tempPath.c_str(), nLength + 1);
    return nLength;
}

BOOL FakeWindows::DeleteFileA(LPCSTR lpFileName) {
    calls.push_back("DeleteFileA(" + Quote(lpFileName) + ")");
    if (failDelete || lockedFiles.count(lpFileName) != 0) return FALSE;
    return files.erase(lpFileName) != 0;
}

HANDLE FakeWindows::CreateFileA(LPCSTR lpFileName, DWORD dwDesiredAccess, DWORD dwShareMode, LPSECURITY_ATTRIBUTES lpSa,
                                DWORD dwCreationDisposition, DWORD dwFlagsAndAttributes, HANDLE hTemplateFile) {
    calls.push_back("CreateFileA(" + Quote(lpFileName) + ", " + Hex(dwDesiredAccess) + ", " + Hex(dwShareMode) + ", " +
                    (lpSa == nullptr ? "NULL" : "attributes") + ", " + std::to_string(dwCreationDisposition) + ", " +
                    Hex(dwFlagsAndAttributes) + ", " + (hTemplateFile == nullptr ? "NULL" : "template") + ")");
    if (failCreate || lockedFiles.count(lpFileName) != 0 || !FolderExists(lpFileName)) return INVALID_HANDLE_VALUE;
    files[lpFileName].clear();
    const int n = m_nextHandle++;
    m_openFiles[n] = lpFileName;
    return MakeHandle<HANDLE>(n);
}

BOOL FakeWindows::WriteFile(HANDLE hFile, LPCVOID lpBuffer, DWORD nBytes, LPDWORD lpWritten,
                            LPOVERLAPPED lpOverlapped) {
    calls.push_back("WriteFile(file#" + std::to_string(HandleNumber(hFile)) + ", " + DataName(lpBuffer) + ", " +
                    std::to_string(nBytes) + ", " + (lpWritten == nullptr ? "NULL" : "count") + ", " +
                    (lpOverlapped == nullptr ? "NULL" : "overlapped") + ")");
    const auto open = m_openFiles.find(HandleNumber(hFile));
    if (open == m_openFiles.end()) return FALSE;
    const bool bShort = writeLimit >= 0 && static_cast<DWORD>(writeLimit) < nBytes;
    const DWORD nTaken = bShort ? static_cast<DWORD>(writeLimit) : nBytes;
    files[open->second].append(static_cast<const char*>(lpBuffer), nTaken);
    if (lpWritten != nullptr) *lpWritten = nTaken;
    return bShort ? FALSE : TRUE;
}

BOOL FakeWindows::CloseHandle(HANDLE hObject) {
    calls.push_back("CloseHandle(file#" + std::to_string(HandleNumber(hObject)) + ")");
    if (m_openFiles.erase(HandleNumber(hObject)) == 0) return FALSE;
    return failClose ? FALSE : TRUE;
}

HRSRC FakeWindows::FindResourceA(HMODULE hModule, LPCSTR lpName, LPCSTR lpType) {
    calls.push_back("FindResourceA(" + Name(hModule) + ", " + ResourceName(lpName) + ", " + ResourceName(lpType) + ")");
    if (hModule != Module() || !IS_INTRESOURCE(lpName) || IS_INTRESOURCE(lpType)) return nullptr;
    const auto found = resources.find({lpType, static_cast<int>(reinterpret_cast<ULONG_PTR>(lpName))});
    return found == resources.end() ? nullptr : reinterpret_cast<HRSRC>(&*found);
}

HGLOBAL FakeWindows::LoadResource(HMODULE hModule, HRSRC hResInfo) {
    calls.push_back("LoadResource(" + Name(hModule) + ", " + Name(hResInfo) + ")");
    return failLoadResource || hResInfo == nullptr ? nullptr : static_cast<HGLOBAL>(hResInfo);
}

DWORD FakeWindows::SizeofResource(HMODULE hModule, HRSRC hResInfo) {
    calls.push_back("SizeofResource(" + Name(hModule) + ", " + Name(hResInfo) + ")");
    if (hResInfo == nullptr) return 0;
    return static_cast<DWORD>(reinterpret_cast<const decltype(resources)::value_type*>(hResInfo)->second.size());
}

LPVOID FakeWindows::LockResource(HGLOBAL hResData) {
    calls.push_back("LockResource(" + Name(static_cast<HRSRC>(hResData)) + ")");
    if (failLockResource || hResData == nullptr) return nullptr;
    auto* entry = static_cast<decltype(resources)::value_type*>(hResData);
    return const_cast<char*>(entry->second.data());
}

int FakeWindows::lstrlenA(LPCSTR lpString) {
    calls.push_back("lstrlenA(" + std::to_string(lpString == nullptr ? 0 : std::strlen(lpString)) + " chars)");
    return lpString == nullptr ? 0 : static_cast<int>(std::strlen(lpString));
}

LSTATUS FakeWindows::RegCreateKeyExA(HKEY hKey, LPCSTR lpSubKey, DWORD Reserved, LPSTR lpClass, DWORD dwOptions,
                                     REGSAM samDesired, LPSECURITY_ATTRIBUTES lpSa, PHKEY phkResult,
                                     LPDWORD lpdwDisposition) {
    calls.push_back(std::string("RegCreateKeyExA(") + (hKey == HKEY_LOCAL_MACHINE ? "HKLM" : "other root") + ", " +
                    Quote(lpSubKey) + ", " + std::to_string(Reserved) + ", " + Quote(lpClass) + ", " +
                    std::to_string(dwOptions) + ", " + Hex(samDesired) + ", " +
                    (lpSa == nullptr ? "NULL" : "attributes") + ", " + (phkResult == nullptr ? "NULL" : "key") + ", " +
                    (lpdwDisposition == nullptr ? "NULL" : "disposition") + ")");
    const View view = (samDesired & KEY_WOW64_64KEY) != 0 ? kView64 : kView32;
    if (registryDenied[view]) return ERROR_ACCESS_DENIED;
    registry[view][lpSubKey];
    const int n = m_nextHandle++;
    m_openKeys[n] = {view, lpSubKey};
    *phkResult = MakeHandle<HKEY>(n);
    if (lpdwDisposition != nullptr) *lpdwDisposition = 1;
    return ERROR_SUCCESS;
}

LSTATUS FakeWindows::RegSetValueExA(HKEY hKey, LPCSTR lpValueName, DWORD Reserved, DWORD dwType, const BYTE* lpData,
                                    DWORD cbData) {
    calls.push_back("RegSetValueExA(key#" + std::to_string(HandleNumber(hKey)) + ", " + Quote(lpValueName) + ", " +
                    std::to_string(Reserved) + ", " + std::to_string(dwType) + ", " + std::to_string(cbData) +
                    " bytes)");
    const auto open = m_openKeys.find(HandleNumber(hKey));
    if (open == m_openKeys.end()) return ERROR_ACCESS_DENIED;
    registry[open->second.view][open->second.path][lpValueName] = {
        dwType, std::string(reinterpret_cast<const char*>(lpData), cbData)};
    return ERROR_SUCCESS;
}

LSTATUS FakeWindows::RegCloseKey(HKEY hKey) {
    calls.push_back("RegCloseKey(key#" + std::to_string(HandleNumber(hKey)) + ")");
    ++m_registryCloses;
    if (m_openKeys.erase(HandleNumber(hKey)) == 0) return ERROR_ACCESS_DENIED;
    return m_registryCloses == failRegCloseKeyNumber ? ERROR_ACCESS_DENIED : ERROR_SUCCESS;
}

HINSTANCE FakeWindows::ShellExecuteA(HWND hwnd, LPCSTR lpOperation, LPCSTR lpFile, LPCSTR lpParameters,
                                     LPCSTR lpDirectory, INT nShowCmd) {
    calls.push_back(std::string("ShellExecuteA(") + (hwnd == nullptr ? "NULL" : "window") + ", " + Quote(lpOperation) +
                    ", " + Quote(lpFile) + ", " + Quote(lpParameters) + ", " + Quote(lpDirectory) + ", " +
                    std::to_string(nShowCmd) + ")");
    const auto file = files.find(lpFile);
    launchedContents.push_back(file == files.end() ? "<no such file>" : file->second);
    return reinterpret_cast<HINSTANCE>(shellResult);
}

// The process heap.

long FakeHeap::failAt = 0;
long FakeHeap::allocations = 0;
long long FakeHeap::bytes = 0;
int FakeHeap::fakeDepth = 0;

HANDLE WINAPI GetProcessHeap() { return reinterpret_cast<HANDLE>(0x50000); }

namespace {

// The program's blocks that are not freed yet. Only touched inside the fake,
// so that its own allocations are not taken for the program's. Never
// destroyed: blocks are still freed while the process's destructors run.
std::set<void*>& LiveBlocks() {
    static std::set<void*>* blocks = new std::set<void*>;
    return *blocks;
}

}  // namespace

long FakeHeap::Live() {
    InFake inFake;
    return static_cast<long>(LiveBlocks().size());
}

LPVOID WINAPI HeapAlloc(HANDLE, DWORD, SIZE_T dwBytes) {
    if (FakeHeap::fakeDepth > 0) return std::malloc(dwBytes == 0 ? 1 : dwBytes);
    if (++FakeHeap::allocations == FakeHeap::failAt) return nullptr;
    FakeHeap::bytes += static_cast<long long>(dwBytes);
    void* p = std::malloc(dwBytes == 0 ? 1 : dwBytes);
    FakeHeap::InFake inFake;
    LiveBlocks().insert(p);
    return p;
}

BOOL WINAPI HeapFree(HANDLE, DWORD, LPVOID lpMem) {
    {
        FakeHeap::InFake inFake;
        LiveBlocks().erase(lpMem);
    }
    std::free(lpMem);
    return TRUE;
}

// The Windows calls, routed to the instance.

namespace {

// Calls the instance's own implementation; what it allocates is the fake's.
template <auto kMethod, typename... Args>
auto Route(Args... args) {
    FakeHeap::InFake inFake;
    return (FakeWindows::Get().*kMethod)(args...);
}

}  // namespace

DWORD WINAPI GetTempPathA(DWORD n, LPSTR p) { return Route<&FakeWindows::GetTempPathA>(n, p); }
BOOL WINAPI DeleteFileA(LPCSTR p) { return Route<&FakeWindows::DeleteFileA>(p); }
HANDLE WINAPI CreateFileA(LPCSTR p, DWORD a, DWORD s, LPSECURITY_ATTRIBUTES sa, DWORD d, DWORD f, HANDLE t) {
    return Route<&FakeWindows::CreateFileA>(p, a, s, sa, d, f, t);
}
BOOL WINAPI WriteFile(HANDLE h, LPCVOID b, DWORD n, LPDWORD w, LPOVERLAPPED o) {
    return Route<&FakeWindows::WriteFile>(h, b, n, w, o);
}
BOOL WINAPI CloseHandle(HANDLE h) { return Route<&FakeWindows::CloseHandle>(h); }
HRSRC WINAPI FindResourceA(HMODULE m, LPCSTR n, LPCSTR t) { return Route<&FakeWindows::FindResourceA>(m, n, t); }
HGLOBAL WINAPI LoadResource(HMODULE m, HRSRC r) { return Route<&FakeWindows::LoadResource>(m, r); }
DWORD WINAPI SizeofResource(HMODULE m, HRSRC r) { return Route<&FakeWindows::SizeofResource>(m, r); }
LPVOID WINAPI LockResource(HGLOBAL r) { return Route<&FakeWindows::LockResource>(r); }
int WINAPI lstrlenA(LPCSTR p) { return Route<&FakeWindows::lstrlenA>(p); }
LSTATUS WINAPI RegCreateKeyExA(HKEY k, LPCSTR s, DWORD r, LPSTR c, DWORD o, REGSAM m, LPSECURITY_ATTRIBUTES sa,
                               PHKEY out, LPDWORD d) {
    return Route<&FakeWindows::RegCreateKeyExA>(k, s, r, c, o, m, sa, out, d);
}
LSTATUS WINAPI RegSetValueExA(HKEY k, LPCSTR n, DWORD r, DWORD t, const BYTE* d, DWORD c) {
    return Route<&FakeWindows::RegSetValueExA>(k, n, r, t, d, c);
}
LSTATUS WINAPI RegCloseKey(HKEY k) { return Route<&FakeWindows::RegCloseKey>(k); }
HINSTANCE WINAPI ShellExecuteA(HWND w, LPCSTR o, LPCSTR f, LPCSTR p, LPCSTR d, INT s) {
    return Route<&FakeWindows::ShellExecuteA>(w, o, f, p, d, s);
}
