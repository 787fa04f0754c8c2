#pragma once
#include "platform/WinApi.h"

// The one raising routine: E_OUTOFMEMORY is raised as CMemoryException, every
// other code as a COleException that carries it.
[[noreturn]] void AtlThrow(HRESULT hr);

[[noreturn]] void AfxThrowMemoryException();
