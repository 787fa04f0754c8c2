#pragma once
#include <cstddef>

// The general allocator. It never returns null: when the process heap has no
// room it raises CMemoryException. The global operator new and delete use it
// too, so every allocation of the program fails the same way.
void* AfxAlloc(std::size_t nBytes);
void AfxFree(void* p) noexcept;
