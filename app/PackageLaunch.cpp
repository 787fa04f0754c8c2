#include "app/PackageLaunch.h"

#include "app/K7FsPathT.h"
#include "framework/CWinApp.h"
#include "platform/CModuleResource.h"

namespace {

const char kPackageFileName[] = "VelstromTessalySetup.msi";
const WORD kPackageResourceId = 130;

// Room reserved for the temporary folder's text; the system is offered one
// character less, so the text has at most kTempPathRoom - 2 characters.
const int kTempPathRoom = 1024;

}  // namespace

PackageLaunchResult ExtractAndLaunchPackage() {
    CStringA strFolder;
    GetTempPathA(kTempPathRoom - 1, strFolder.GetBuffer(kTempPathRoom));
    strFolder.ReleaseBuffer();

    const CStringA strPackagePath = K7FsPathT<Traits::K7FsPathStrTraitA>(strFolder).Combine(kPackageFileName);

    // Only a package this run wrote in full is handed to the shell: whatever
    // else may stand under that name (stale, truncated, planted) is never opened.
    if (!ExtractPackage(strPackagePath)) return kPackageNotWritten;

    const HINSTANCE hShell = ShellExecuteA(nullptr, "open", strPackagePath, "", "", SW_SHOW);
    return reinterpret_cast<INT_PTR>(hShell) > 32 ? kPackageLaunched : kShellRefusedPackage;
}

bool ExtractPackage(const char* pszPath) {
    DeleteFileA(pszPath);

    const CModuleResource package(AfxGetResourceHandle(), "MSI", kPackageResourceId);
    if (!package.IsValid()) return false;

    HANDLE hFile =
        CreateFileA(pszPath, GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (hFile == nullptr || hFile == INVALID_HANDLE_VALUE) return false;

    // One write straight from the resource's memory.
    DWORD nWritten = 0;
    const bool bWritten =
        WriteFile(hFile, package.GetData(), package.GetSize(), &nWritten, nullptr) && nWritten == package.GetSize();
    const bool bClosed = CloseHandle(hFile) != FALSE;
    if (bWritten && bClosed) return true;

    DeleteFileA(pszPath);
    return false;
}
