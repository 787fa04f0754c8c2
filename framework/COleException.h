#pragma once
#include "framework/CException.h"
#include "platform/WinApi.h"

// Raised for every failure code other than E_OUTOFMEMORY; carries that code.
class COleException : public CException {
public:
    explicit COleException(SCODE sc) : m_sc(sc) {}

    SCODE m_sc;
};
