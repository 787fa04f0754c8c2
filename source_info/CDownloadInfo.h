#pragma once
#include "framework/CStringT.h"

// Where this copy of the setup was obtained, as the install-source text that
// the executable carries, and its record under the product's machine-wide
// registry key: the value "SourceInfo", Base64, in the 32-bit and the 64-bit
// registry views.
class CDownloadInfo {
public:
    // strKeyName is the product's key name, the last component of the key.
    explicit CDownloadInfo(const CStringA& strKeyName);
    virtual ~CDownloadInfo();

    // Takes the text from the executable's resources; leaves it as it was when
    // the resource cannot be had.
    void LoadFromResource();

    // The Base64 text of the text's UTF-16LE bytes; empty for an empty text.
    CStringA GetEncodedSourceInfo() const;

    // Software\Velstrom\<key name>, below HKEY_LOCAL_MACHINE.
    CStringA GetRegistryKeyPath() const;

    // Writes "SourceInfo" in the 32-bit, then the 64-bit view. Best effort:
    // registry failures are not reported; nothing is written for an empty text.
    void SaveToRegistry();

private:
    CStringA m_strKeyName;
    CStringW m_strSourceInfo;
};
