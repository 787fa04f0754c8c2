#include "platform/CModuleResource.h"

CModuleResource::CModuleResource(HMODULE hModule, LPCSTR pszType, WORD nID) {
    HRSRC hFound = FindResourceA(hModule, MAKEINTRESOURCEA(nID), pszType);
    if (hFound == nullptr) return;
    HGLOBAL hLoaded = LoadResource(hModule, hFound);
    if (hLoaded == nullptr) return;
    const DWORD nSize = SizeofResource(hModule, hFound);
    if (nSize == 0) return;
    const void* pData = LockResource(hLoaded);
    if (pData == nullptr) return;
    m_pData = static_cast<const BYTE*>(pData);
    m_nSize = nSize;
}
