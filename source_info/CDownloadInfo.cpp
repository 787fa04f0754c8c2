#include "source_info/CDownloadInfo.h"

#include "framework/CWinApp.h"
#include "platform/CModuleResource.h"
#include "source_info/CBase64Codec.h"
#include "source_info/CRegistryKeySlot.h"

namespace {

const WORD kSourceInfoResourceId = 10;
const char kSourceInfoValueName[] = "SourceInfo";

bool OpenProductKey(const char* pszPath, REGSAM samView, HKEY* phKey) {
    DWORD dwDisposition = 0;
    return RegCreateKeyExA(HKEY_LOCAL_MACHINE, pszPath, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_WRITE | samView,
                           nullptr, phKey, &dwDisposition) == ERROR_SUCCESS;
}

void WriteSourceInfo(HKEY hKey, const CStringA& strEncoded) {
    RegSetValueExA(hKey, kSourceInfoValueName, 0, REG_SZ, reinterpret_cast<const BYTE*>(strEncoded.GetString()),
                   static_cast<DWORD>(lstrlenA(strEncoded) + 1));
}

}  // namespace

CDownloadInfo::CDownloadInfo(const CStringA& strKeyName) : m_strKeyName(strKeyName) {}

CDownloadInfo::~CDownloadInfo() = default;

void CDownloadInfo::LoadFromResource() {
    const CModuleResource resource(AfxGetResourceHandle(), "K7R", kSourceInfoResourceId);
    if (!resource.IsValid()) return;
    // UTF-16LE code units as stored; an odd last byte is not part of the text.
    m_strSourceInfo.SetString(reinterpret_cast<const WCHAR*>(resource.GetData()),
                              static_cast<int>(resource.GetSize() / sizeof(WCHAR)));
}

CStringA CDownloadInfo::GetEncodedSourceInfo() const {
    if (m_strSourceInfo.IsEmpty()) return CStringA();
    const Crypt::CBase64Codec codec;
    return codec.EncodeToString(reinterpret_cast<const BYTE*>(m_strSourceInfo.GetString()),
                                m_strSourceInfo.GetLength() * static_cast<int>(sizeof(WCHAR)));
}

CStringA CDownloadInfo::GetRegistryKeyPath() const {
    CStringA strPath;
    strPath.Format("Software\\Velstrom\\%s", m_strKeyName.GetString());
    return strPath;
}

void CDownloadInfo::SaveToRegistry() {
    if (m_strSourceInfo.IsEmpty()) return;
    const CStringA strEncoded = GetEncodedSourceInfo();

    CRegistryKeySlot openKey;
    HKEY hKey = nullptr;
    if (OpenProductKey(GetRegistryKeyPath(), KEY_WOW64_32KEY, &hKey)) {
        openKey.Attach(hKey);
        WriteSourceInfo(hKey, strEncoded);
    }
    if (OpenProductKey(GetRegistryKeyPath(), KEY_WOW64_64KEY, &hKey)) {
        // The 32-bit view's key is closed first; when that fails, this view
        // is left unwritten.
        const bool bClosed = openKey.Close() == ERROR_SUCCESS;
        openKey.Attach(hKey);
        if (bClosed) WriteSourceInfo(hKey, strEncoded);
    }
}
