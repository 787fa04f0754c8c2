#pragma once
#include <cstring>

#include "framework/AfxAlloc.h"
#include "framework/AtlThrow.h"

namespace ATL {

// Reference-counted, copy-on-write string of XCHAR code units. Copies share one
// block until one of them is written; every block holds a terminating NUL.
// Single-threaded: the count is not changed atomically.
template <typename XCHAR, bool t_bMFCDLL = false>
class CSimpleStringT {
public:
    CSimpleStringT() noexcept : m_pszData(Nil()->Data()) {}
    CSimpleStringT(const XCHAR* psz) : CSimpleStringT() { SetString(psz); }
    CSimpleStringT(const XCHAR* pch, int nLength) : CSimpleStringT() { SetString(pch, nLength); }
    CSimpleStringT(const CSimpleStringT& src) noexcept : m_pszData(src.m_pszData) { GetData()->AddRef(); }
    ~CSimpleStringT() { GetData()->Release(); }

    CSimpleStringT& operator=(const CSimpleStringT& src) noexcept {
        src.GetData()->AddRef();
        GetData()->Release();
        m_pszData = src.m_pszData;
        return *this;
    }
    CSimpleStringT& operator=(const XCHAR* psz) {
        SetString(psz);
        return *this;
    }
    CSimpleStringT& operator+=(const XCHAR* psz) {
        Append(psz, StringLength(psz));
        return *this;
    }
    CSimpleStringT& operator+=(XCHAR ch) {
        Append(&ch, 1);
        return *this;
    }

    int GetLength() const noexcept { return GetData()->nDataLength; }
    bool IsEmpty() const noexcept { return GetLength() == 0; }
    const XCHAR* GetString() const noexcept { return m_pszData; }
    operator const XCHAR*() const noexcept { return m_pszData; }

    // Replaces the text with nLength code units from pch, which may lie inside
    // this string's own text.
    void SetString(const XCHAR* pch, int nLength) { WriteAt(0, pch, nLength); }
    void SetString(const XCHAR* psz) { SetString(psz, StringLength(psz)); }

    void Append(const XCHAR* pch, int nLength) { WriteAt(GetLength(), pch, nLength); }

    void Empty() noexcept {
        GetData()->Release();
        m_pszData = Nil()->Data();
    }

    // A writable buffer with room for at least nMinBufferLength code units and
    // a NUL, holding the current text; no longer shared with any copy.
    XCHAR* GetBuffer(int nMinBufferLength) {
        if (nMinBufferLength < 0) AtlThrow(E_INVALIDARG);
        const int nLength = GetLength();
        Adopt(Reserve(nMinBufferLength > nLength ? nMinBufferLength : nLength, nLength));
        return m_pszData;
    }

    // Ends the writing that GetBuffer began. With -1 the length is the number
    // of code units before the first NUL, looking no further than the buffer.
    void ReleaseBuffer(int nNewLength = -1) {
        const int nCapacity = GetData()->nAllocLength;
        if (nNewLength == -1) {
            nNewLength = 0;
            while (nNewLength < nCapacity && m_pszData[nNewLength] != 0) ++nNewLength;
        }
        SetLength(nNewLength);
    }

protected:
    static int StringLength(const XCHAR* psz) noexcept {
        int n = 0;
        if (psz != nullptr)
            while (psz[n] != 0) ++n;
        return n;
    }

private:
    // The header in front of the text. The shared empty block has a negative
    // count and is never freed.
    struct CStringData {
        int nRefs;
        int nDataLength;
        int nAllocLength;

        XCHAR* Data() noexcept { return reinterpret_cast<XCHAR*>(this + 1); }
        void AddRef() noexcept {
            if (nRefs >= 0) ++nRefs;
        }
        void Release() noexcept {
            if (nRefs >= 0 && --nRefs == 0) AfxFree(this);
        }
    };

    static constexpr int kMaxLength = 0x3FFFFFFF / static_cast<int>(sizeof(XCHAR)) - 64;

    static CStringData* Nil() noexcept {
        static struct {
            CStringData header;
            XCHAR nul;
        } nil = {{-1, 0, 0}, 0};
        static_assert(sizeof(CStringData) % sizeof(XCHAR) == 0, "the NUL must follow the header");
        return &nil.header;
    }

    CStringData* GetData() const noexcept { return reinterpret_cast<CStringData*>(m_pszData) - 1; }

    // Keeps the first nOffset code units and puts nLength code units from pch
    // after them.
    void WriteAt(int nOffset, const XCHAR* pch, int nLength) {
        if (nLength < 0 || (pch == nullptr && nLength != 0)) AtlThrow(E_INVALIDARG);
        if (nLength > kMaxLength - nOffset) AtlThrow(E_INVALIDARG);
        if (nOffset + nLength == 0) return Empty();
        CStringData* pBlock = Reserve(nOffset + nLength, nOffset);
        // pch may lie in the current block, which Adopt may free: copy first.
        std::memmove(pBlock->Data() + nOffset, pch, nLength * sizeof(XCHAR));
        Adopt(pBlock);
        SetLength(nOffset + nLength);
    }

    // A block that this string alone may write, with room for nLength code
    // units and a NUL and holding the first nKeep code units of the text: the
    // current block when that will do, else a new one. Nothing is released
    // here, so a failed allocation leaves the string as it was.
    CStringData* Reserve(int nLength, int nKeep) {
        if (nLength > kMaxLength) AtlThrow(E_INVALIDARG);
        CStringData* pOld = GetData();
        if (pOld != Nil() && pOld->nRefs == 1 && pOld->nAllocLength >= nLength) return pOld;

        const int nAlloc = nLength < 8 ? 8 : nLength;
        CStringData* pNew = static_cast<CStringData*>(AfxAlloc(sizeof(CStringData) + (nAlloc + 1) * sizeof(XCHAR)));
        pNew->nRefs = 1;
        pNew->nAllocLength = nAlloc;
        pNew->nDataLength = nKeep;
        std::memcpy(pNew->Data(), m_pszData, nKeep * sizeof(XCHAR));
        pNew->Data()[nKeep] = 0;
        return pNew;
    }

    void Adopt(CStringData* pBlock) noexcept {
        if (pBlock == GetData()) return;
        GetData()->Release();
        m_pszData = pBlock->Data();
    }

    void SetLength(int nLength) {
        if (nLength < 0 || nLength > GetData()->nAllocLength) AtlThrow(E_INVALIDARG);
        GetData()->nDataLength = nLength;
        m_pszData[nLength] = 0;
    }

    XCHAR* m_pszData;
};

}  // namespace ATL
