#include "app/PackageLaunch.h"

#include "app/K7FsPathT.h"
#include "app/ShortTempFolder.h"
#include "framework/CWinApp.h"
#include "platform/CModuleResource.h"

namespace {

const char kPackageFileName[] = "VelstromTessalySetup.msi";
const WORD kPackageResourceId = 130;

CStringA PackagePathIn(const CStringA& strFolder) {
    return K7FsPathT<Traits::K7FsPathStrTraitA>(strFolder).Combine(kPackageFileName);
}

}  // namespace

PackageLaunchResult ExtractAndLaunchPackage() {
    CStringA strFolder;
    GetTempPathA(kTempFolderRoom - 1, strFolder.GetBuffer(kTempFolderRoom));
    strFolder.ReleaseBuffer();

    CStringA strPackagePath = PackagePathIn(strFolder);
    PackageWriteResult written = ExtractPackage(strPackagePath);
    // The ANSI form of a folder whose name the code page cannot spell names no
    // folder, or another one: then the folder's short form is used instead.
    if (written == kPackageFileNotCreated && GetShortTempFolderWhereAnsiFails(strFolder)) {
        strPackagePath = PackagePathIn(strFolder);
        written = ExtractPackage(strPackagePath);
    }

    // Only a package this run wrote in full is handed to the shell: whatever
    // else may stand under that name (stale, truncated, planted) is never opened.
    if (written != kPackageWritten) return kPackageNotWritten;

    const HINSTANCE hShell = ShellExecuteA(nullptr, "open", strPackagePath, "", "", SW_SHOW);
    return reinterpret_cast<INT_PTR>(hShell) > 32 ? kPackageLaunched : kShellRefusedPackage;
}

PackageWriteResult ExtractPackage(const char* pszPath) {
    DeleteFileA(pszPath);

    const CModuleResource package(AfxGetResourceHandle(), "MSI", kPackageResourceId);
    if (!package.IsValid()) return kPackageNotWrittenInFull;

    HANDLE hFile =
        CreateFileA(pszPath, GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (hFile == nullptr || hFile == INVALID_HANDLE_VALUE) return kPackageFileNotCreated;

    // One write straight from the resource's memory.
    DWORD nWritten = 0;
    const bool bWritten =
        WriteFile(hFile, package.GetData(), package.GetSize(), &nWritten, nullptr) && nWritten == package.GetSize();
    const bool bClosed = CloseHandle(hFile) != FALSE;
    if (bWritten && bClosed) return kPackageWritten;

    DeleteFileA(pszPath);
    return kPackageNotWrittenInFull;
}
