#pragma once
#include "framework/CStringT.h"

namespace Traits {

// Narrow-character paths: the string they are built on and their separators.
struct K7FsPathStrTraitA {
    typedef CStringA StringType;
    typedef char CharType;

    static constexpr CharType kSeparator = '\\';
    static bool IsSeparator(CharType ch) { return ch == '\\' || ch == '/'; }
};

}  // namespace Traits

// A file-system path. It is the string it is built on: the same text, length
// and copy-on-write sharing.
template <class TTraits>
class K7FsPathT : public TTraits::StringType {
public:
    typedef typename TTraits::StringType StringType;
    typedef typename TTraits::CharType CharType;

    explicit K7FsPathT(const CharType* pszPath) : StringType(pszPath) {}
    virtual ~K7FsPathT() = default;

    // This path with pszName appended, one separator between them unless the
    // path is empty or already ends in one. Only the last byte is looked at, so
    // a double-byte character is never stepped over.
    K7FsPathT Combine(const CharType* pszName) const {
        K7FsPathT combined(*this);
        const int nLength = this->GetLength();
        if (nLength != 0 && !TTraits::IsSeparator(this->GetString()[nLength - 1])) combined += TTraits::kSeparator;
        combined += pszName;
        return combined;
    }
};
