#include "framework/AfxAlloc.h"

#include <new>

#include "framework/AtlThrow.h"
#include "platform/WinApi.h"

void* AfxAlloc(std::size_t nBytes) {
    void* p = HeapAlloc(GetProcessHeap(), 0, nBytes);
    if (p == nullptr) AfxThrowMemoryException();
    return p;
}

void AfxFree(void* p) noexcept {
    if (p != nullptr) HeapFree(GetProcessHeap(), 0, p);
}

// The whole set is replaced, the nothrow forms too, so that whatever library
// code allocates frees through the same heap.
void* operator new(std::size_t nBytes) { return AfxAlloc(nBytes); }
void* operator new[](std::size_t nBytes) { return AfxAlloc(nBytes); }
void operator delete(void* p) noexcept { AfxFree(p); }
void operator delete[](void* p) noexcept { AfxFree(p); }
void operator delete(void* p, std::size_t) noexcept { AfxFree(p); }
void operator delete[](void* p, std::size_t) noexcept { AfxFree(p); }
void* operator new(std::size_t nBytes, const std::nothrow_t&) noexcept {
    return HeapAlloc(GetProcessHeap(), 0, nBytes);
}
void* operator new[](std::size_t nBytes, const std::nothrow_t&) noexcept {
    return HeapAlloc(GetProcessHeap(), 0, nBytes);
}
void operator delete(void* p, const std::nothrow_t&) noexcept { AfxFree(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { AfxFree(p); }
