#include "app/ShortTempFolder.h"

namespace {

// strWide in the ANSI code page, or false when the code page cannot spell it
// exactly: no look-alike letters, no '?' for a letter it lacks.
bool ToExactAnsi(const CStringW& strWide, CStringA& strAnsi) {
    // A UTF-16 code unit takes at most three bytes, even where the ANSI code page is UTF-8.
    const int nRoom = strWide.GetLength() * 3;
    CStringA strConverted;
    BOOL bUsedDefaultChar = FALSE;
    const int nLength = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, strWide, strWide.GetLength(),
                                            strConverted.GetBuffer(nRoom), nRoom, nullptr, &bUsedDefaultChar);
    if (nLength <= 0 || bUsedDefaultChar) return false;
    strConverted.ReleaseBuffer(nLength);
    strAnsi = strConverted;
    return true;
}

}  // namespace

bool GetShortTempFolderWhereAnsiFails(CStringA& strFolder) {
    CStringW strLong;
    GetTempPathW(kTempFolderRoom - 1, strLong.GetBuffer(kTempFolderRoom));
    strLong.ReleaseBuffer();
    CStringA strAnsi;
    if (strLong.IsEmpty() || ToExactAnsi(strLong, strAnsi)) return false;

    CStringW strShort;
    const DWORD nShort = GetShortPathNameW(strLong, strShort.GetBuffer(kTempFolderRoom), kTempFolderRoom);
    if (nShort == 0 || nShort >= static_cast<DWORD>(kTempFolderRoom)) return false;
    strShort.ReleaseBuffer(static_cast<int>(nShort));
    return ToExactAnsi(strShort, strFolder);
}
