#pragma once
#include "platform/WinApi.h"

// Holds at most one open registry key and closes it when it goes, also when a
// failure is raised while the key is open.
class CRegistryKeySlot {
public:
    CRegistryKeySlot() = default;
    ~CRegistryKeySlot() { Close(); }
    CRegistryKeySlot(const CRegistryKeySlot&) = delete;
    CRegistryKeySlot& operator=(const CRegistryKeySlot&) = delete;

    // Takes hKey into the empty slot.
    void Attach(HKEY hKey) { m_hKey = hKey; }

    // Closes the key it holds and empties the slot. ERROR_SUCCESS also when
    // there was nothing to close.
    LSTATUS Close() {
        if (m_hKey == nullptr) return ERROR_SUCCESS;
        const HKEY hKey = m_hKey;
        m_hKey = nullptr;
        return RegCloseKey(hKey);
    }

private:
    HKEY m_hKey = nullptr;
};
