#pragma once
#include "framework/CException.h"

// Raised when memory runs out.
class CMemoryException : public CException {};
