#pragma once
#include "platform/WinApi.h"

// The bytes of one resource of a module, found by type name and integer
// identifier without naming a language. They stay in the module's own memory:
// nothing is copied and nothing needs releasing.
class CModuleResource {
public:
    // Calls FindResourceA, LoadResource, SizeofResource and LockResource in
    // that order and stops at the first that fails.
    CModuleResource(HMODULE hModule, LPCSTR pszType, WORD nID);

    // False when the resource is absent, unreadable or empty.
    bool IsValid() const { return m_pData != nullptr; }
    const BYTE* GetData() const { return m_pData; }
    DWORD GetSize() const { return m_nSize; }

private:
    const BYTE* m_pData = nullptr;
    DWORD m_nSize = 0;
};
