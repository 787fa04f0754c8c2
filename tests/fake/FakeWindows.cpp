#include "tests/fake/FakeWindows.h"

#include <algorithm>
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

// Text encodings. The fake's texts are UTF-8; the program's are UTF-16 or ANSI.

std::u32string DecodeUtf8(const std::string& text) {
    std::u32string decoded;
    for (size_t i = 0; i < text.size();) {
        const unsigned char lead = static_cast<unsigned char>(text[i]);
        const int nTrail = lead < 0x80 ? 0 : lead < 0xE0 ? 1 : lead < 0xF0 ? 2 : 3;
        char32_t c = nTrail == 0 ? lead : lead & (0x3F >> nTrail);
        for (int k = 1; k <= nTrail; ++k) c = (c << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
        decoded += c;
        i += 1 + nTrail;
    }
    return decoded;
}

std::string EncodeUtf8(const std::u32string& text) {
    std::string encoded;
    for (char32_t c : text) {
        if (c < 0x80) {
            encoded += static_cast<char>(c);
        } else if (c < 0x800) {
            encoded += {static_cast<char>(0xC0 | (c >> 6)), static_cast<char>(0x80 | (c & 0x3F))};
        } else if (c < 0x10000) {
            encoded += {static_cast<char>(0xE0 | (c >> 12)), static_cast<char>(0x80 | ((c >> 6) & 0x3F)),
                        static_cast<char>(0x80 | (c & 0x3F))};
        } else {
            encoded += {static_cast<char>(0xF0 | (c >> 18)), static_cast<char>(0x80 | ((c >> 12) & 0x3F)),
                        static_cast<char>(0x80 | ((c >> 6) & 0x3F)), static_cast<char>(0x80 | (c & 0x3F))};
        }
    }
    return encoded;
}

std::u16string ToUtf16(const std::string& utf8) {
    std::u16string utf16;
    for (char32_t c : DecodeUtf8(utf8)) {
        if (c < 0x10000) {
            utf16 += static_cast<char16_t>(c);
        } else {
            utf16 += {static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10)),
                      static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF))};
        }
    }
    return utf16;
}

std::string FromUtf16(LPCWSTR pch, int nLength) {
    std::u32string decoded;
    for (int i = 0; i < nLength; ++i) {
        char32_t c = pch[i];
        if (c >= 0xD800 && c < 0xDC00 && i + 1 < nLength) c = 0x10000 + ((c - 0xD800) << 10) + (pch[++i] - 0xDC00);
        decoded += c;
    }
    return EncodeUtf8(decoded);
}

// The ANSI code page: Latin-1, plus a few look-alikes where best fit is allowed.
std::string ToAnsi(const std::string& utf8, bool bBestFit, bool* pUsedDefault) {
    static const std::map<char32_t, char> kBestFit = {{U'Ł', 'L'}, {U'ł', 'l'}, {U'ź', 'z'}, {U'ż', 'z'}, {U'Ω', 'O'}};
    std::string ansi;
    for (char32_t c : DecodeUtf8(utf8)) {
        const auto fit = kBestFit.find(c);
        if (c < 0x100) {
            ansi += static_cast<char>(c);
        } else if (bBestFit && fit != kBestFit.end()) {
            ansi += fit->second;
        } else {
            ansi += '?';
            if (pUsedDefault != nullptr) *pUsedDefault = true;
        }
    }
    return ansi;
}

std::string AnsiToUtf8(const std::string& ansi) {
    std::u32string decoded;
    for (char c : ansi) decoded += static_cast<unsigned char>(c);
    return EncodeUtf8(decoded);
}

// Copies text and a NUL into a buffer of nRoom code units, as the GetXxxPath
// calls do: the length copied, or the room needed when it does not fit.
template <typename XCHAR>
DWORD CopyOut(const std::basic_string<XCHAR>& text, XCHAR* pBuffer, DWORD nRoom) {
    const DWORD nLength = static_cast<DWORD>(text.size());
    if (nLength + 1 > nRoom) return nLength + 1;
    std::copy(text.c_str(), text.c_str() + nLength + 1, pBuffer);
    return nLength;
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

bool FakeWindows::FolderExists(LPCSTR pszAnsiPath) const {
    const std::string folder = ParentFolder(AnsiToUtf8(pszAnsiPath));
    return folder.empty() || directories.count(folder) != 0;
}

DWORD FakeWindows::GetTempPathA(DWORD nBufferLength, LPSTR lpBuffer) {
    calls.push_back("GetTempPathA(" + std::to_string(nBufferLength) + ")");
    return tempPath.empty() ? 0 : CopyOut(ToAnsi(tempPath, true, nullptr), lpBuffer, nBufferLength);
}

DWORD FakeWindows::GetTempPathW(DWORD nBufferLength, LPWSTR lpBuffer) {
    calls.push_back("GetTempPathW(" + std::to_string(nBufferLength) + ")");
    return tempPath.empty() ? 0 : CopyOut(ToUtf16(tempPath), lpBuffer, nBufferLength);
}

DWORD FakeWindows::GetShortPathNameW(LPCWSTR lpszLongPath, LPWSTR lpszShortPath, DWORD cchBuffer) {
    std::u16string longPath(lpszLongPath);
    const std::string path = FromUtf16(lpszLongPath, static_cast<int>(longPath.size()));
    calls.push_back("GetShortPathNameW(" + Quote(path.c_str()) + ", " + std::to_string(cchBuffer) + ")");
    const auto found = shortNames.find(path);
    // Without a short name, an existing folder keeps its long one.
    if (found == shortNames.end())
        return directories.count(ParentFolder(path)) == 0 ? 0 : CopyOut(longPath, lpszShortPath, cchBuffer);
    return CopyOut(ToUtf16(found->second), lpszShortPath, cchBuffer);
}

int FakeWindows::WideCharToMultiByte(UINT CodePage, DWORD dwFlags, LPCWSTR lpWideCharStr, int cchWideChar,
                                     LPSTR lpMultiByteStr, int cbMultiByte, LPCSTR lpDefaultChar,
                                     LPBOOL lpUsedDefaultChar) {
    const std::string text = FromUtf16(lpWideCharStr, cchWideChar);
    calls.push_back("WideCharToMultiByte(" + std::to_string(CodePage) + ", " + Hex(dwFlags) + ", " +
                    Quote(text.c_str()) + ", " + std::to_string(cchWideChar) + ", " + std::to_string(cbMultiByte) +
                    ", " + Quote(lpDefaultChar) + ", " + (lpUsedDefaultChar == nullptr ? "NULL" : "used") + ")");
    bool bUsedDefault = false;
    const std::string ansi = ToAnsi(text, (dwFlags & WC_NO_BEST_FIT_CHARS) == 0, &bUsedDefault);
    if (lpUsedDefaultChar != nullptr) *lpUsedDefaultChar = bUsedDefault;
    if (cbMultiByte == 0) return static_cast<int>(ansi.size());
    if (static_cast<int>(ansi.size()) > cbMultiByte) return 0;
    std::memcpy(lpMultiByteStr, ansi.data(), ansi.size());
    return static_cast<int>(ansi.size());
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

HMODULE FakeWindows::GetModuleHandleA(LPCSTR lpModuleName) {
    calls.push_back("GetModuleHandleA(" + Quote(lpModuleName) + ")");
    return reinterpret_cast<HMODULE>(0x7b600000);
}

namespace {
BOOL WINAPI RoutedSetDefaultDllDirectories(DWORD flags) {
    FakeHeap::InFake inFake;
    return FakeWindows::Get().SetDefaultDllDirectories(flags);
}
}  // namespace

FARPROC FakeWindows::GetProcAddress(HMODULE hModule, LPCSTR lpProcName) {
    calls.push_back("GetProcAddress(" + Hex(reinterpret_cast<ULONG_PTR>(hModule)) + ", " + Quote(lpProcName) + ")");
    if (!hasSetDefaultDllDirectories || std::string(lpProcName) != "SetDefaultDllDirectories") return nullptr;
    return reinterpret_cast<FARPROC>(reinterpret_cast<void*>(&RoutedSetDefaultDllDirectories));
}

BOOL FakeWindows::SetDefaultDllDirectories(DWORD DirectoryFlags) {
    calls.push_back("SetDefaultDllDirectories(" + Hex(DirectoryFlags) + ")");
    return failSetDefaultDllDirectories ? FALSE : TRUE;
}

BOOL FakeWindows::SetDllDirectoryA(LPCSTR lpPathName) {
    calls.push_back("SetDllDirectoryA(" + Quote(lpPathName) + ")");
    return TRUE;
}

UINT FakeWindows::GetSystemDirectoryA(LPSTR lpBuffer, UINT uSize) {
    calls.push_back("GetSystemDirectoryA(" + std::to_string(uSize) + ")");
    return CopyOut(std::string("C:\\Windows\\system32"), lpBuffer, uSize);
}

HMODULE FakeWindows::LoadLibraryExA(LPCSTR lpLibFileName, HANDLE hFile, DWORD dwFlags) {
    calls.push_back("LoadLibraryExA(" + Quote(lpLibFileName) + ", " + (hFile == nullptr ? "NULL" : "file") + ", " +
                    Hex(dwFlags) + ")");
    return reinterpret_cast<HMODULE>(0x10000000);
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
DWORD WINAPI GetTempPathW(DWORD n, LPWSTR p) { return Route<&FakeWindows::GetTempPathW>(n, p); }
DWORD WINAPI GetShortPathNameW(LPCWSTR l, LPWSTR s, DWORD n) { return Route<&FakeWindows::GetShortPathNameW>(l, s, n); }
int WINAPI WideCharToMultiByte(UINT cp, DWORD f, LPCWSTR w, int nw, LPSTR a, int na, LPCSTR d, LPBOOL u) {
    return Route<&FakeWindows::WideCharToMultiByte>(cp, f, w, nw, a, na, d, u);
}
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
HMODULE WINAPI GetModuleHandleA(LPCSTR n) { return Route<&FakeWindows::GetModuleHandleA>(n); }
FARPROC WINAPI GetProcAddress(HMODULE m, LPCSTR n) { return Route<&FakeWindows::GetProcAddress>(m, n); }
BOOL WINAPI SetDllDirectoryA(LPCSTR p) { return Route<&FakeWindows::SetDllDirectoryA>(p); }
UINT WINAPI GetSystemDirectoryA(LPSTR p, UINT n) { return Route<&FakeWindows::GetSystemDirectoryA>(p, n); }
HMODULE WINAPI LoadLibraryExA(LPCSTR p, HANDLE h, DWORD f) { return Route<&FakeWindows::LoadLibraryExA>(p, h, f); }
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
