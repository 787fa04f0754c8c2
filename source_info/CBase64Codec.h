#pragma once
#include "framework/CStringT.h"
#include "platform/WinApi.h"

namespace Crypt {

// Base64 (the standard alphabet, "=" padding) in lines of 76 characters with
// CR LF after every line made of complete groups, the last one included. The
// codec keeps no state: make one, encode, drop it.
class CBase64Codec {
public:
    virtual ~CBase64Codec() = default;

    // The destination size Encode demands for nSrcLen bytes. Raises E_FAIL
    // when that size would not fit a 32-bit signed count, and E_INVALIDARG
    // for a negative count.
    int GetRequiredLength(int nSrcLen) const;

    // Writes the text of nSrcLen bytes to szDest, without a NUL, and stores its
    // length in *pnDestLen, which holds the destination's capacity on entry.
    // False, with nothing written, for a null pointer or a capacity below
    // GetRequiredLength(nSrcLen).
    bool Encode(const BYTE* pbSrcData, int nSrcLen, char* szDest, int* pnDestLen) const;

    // The text of nSrcLen bytes, or the empty string when pbSrcData is null.
    CStringA EncodeToString(const BYTE* pbSrcData, int nSrcLen) const;
};

}  // namespace Crypt
