#pragma once
#include <cstdarg>
#include <cstdio>

#include "framework/CSimpleStringT.h"
#include "platform/WinApi.h"

namespace ATL {

// Character services of the C runtime; only the narrow ones are used.
template <typename XCHAR>
struct ChTraitsCRT;

template <>
struct ChTraitsCRT<char> {
    // Length of the formatted text, or a negative value for a bad format.
    static int GetFormattedLength(const char* pszFormat, va_list args) {
#ifdef _WIN32
        return _vscprintf(pszFormat, args);
#else
        return std::vsnprintf(nullptr, 0, pszFormat, args);
#endif
    }
    // Writes the nLength characters of the formatted text and a NUL.
    static void Format(char* pszBuffer, int nLength, const char* pszFormat, va_list args) {
#ifdef _WIN32
        // The system's own C runtime: MinGW's portable printf is far larger.
        _vsnprintf(pszBuffer, static_cast<size_t>(nLength) + 1, pszFormat, args);
#else
        std::vsnprintf(pszBuffer, static_cast<size_t>(nLength) + 1, pszFormat, args);
#endif
    }
};

template <>
struct ChTraitsCRT<WCHAR> {};

template <typename XCHAR, class ChTraits = ChTraitsCRT<XCHAR>>
struct StrTraitATL : ChTraits {};

// The string class proper: the copy-on-write text of CSimpleStringT plus
// printf-style formatting.
template <typename XCHAR, class StringTraits>
class CStringT : public CSimpleStringT<XCHAR> {
public:
    using CSimpleStringT<XCHAR>::CSimpleStringT;
    using CSimpleStringT<XCHAR>::operator=;

    void Format(const XCHAR* pszFormat, ...) {
        va_list args;
        va_start(args, pszFormat);
        FormatV(pszFormat, args);
        va_end(args);
    }

    void FormatV(const XCHAR* pszFormat, va_list args) {
        if (pszFormat == nullptr) AtlThrow(E_INVALIDARG);
        va_list measure;
        va_copy(measure, args);
        const int nLength = StringTraits::GetFormattedLength(pszFormat, measure);
        va_end(measure);
        if (nLength < 0) AtlThrow(E_FAIL);
        StringTraits::Format(this->GetBuffer(nLength), nLength, pszFormat, args);
        this->ReleaseBuffer(nLength);
    }
};

}  // namespace ATL

typedef ATL::CStringT<char, ATL::StrTraitATL<char, ATL::ChTraitsCRT<char>>> CStringA;
typedef ATL::CStringT<WCHAR, ATL::StrTraitATL<WCHAR, ATL::ChTraitsCRT<WCHAR>>> CStringW;
