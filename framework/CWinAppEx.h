#pragma once
#include "framework/CWinApp.h"

// The extended application base. Its flag asks for resource smart update,
// which only matters to the framework's visual managers; none is used here.
class CWinAppEx : public CWinApp {
public:
    explicit CWinAppEx(BOOL bResourceSmartUpdate = FALSE) : m_bResourceSmartUpdate(bResourceSmartUpdate) {}

    const BOOL m_bResourceSmartUpdate;
};
