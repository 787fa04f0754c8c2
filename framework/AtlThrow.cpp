#include "framework/AtlThrow.h"

#include "framework/CMemoryException.h"
#include "framework/COleException.h"

void AtlThrow(HRESULT hr) {
    if (hr == E_OUTOFMEMORY) AfxThrowMemoryException();
    throw COleException(hr);
}

void AfxThrowMemoryException() { throw CMemoryException(); }
