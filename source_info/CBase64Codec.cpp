#include "source_info/CBase64Codec.h"

#include <cstdint>
#include <cstring>

#include "framework/AtlThrow.h"
#include "source_info/K7SimpleArrayT.h"

namespace Crypt {

namespace {

static_assert(__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__, "Encode reads groups as little-endian words");

const char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
const int kGroupsPerLine = 19;  // 76 characters
const int kLineLength = 4 * kGroupsPerLine;

// The four characters of a group, the 24-bit nValue, with one store.
inline void WriteQuad(std::uint32_t nValue, char* pDest) {
    const char quad[4] = {kAlphabet[nValue >> 18], kAlphabet[(nValue >> 12) & 0x3F], kAlphabet[(nValue >> 6) & 0x3F],
                          kAlphabet[nValue & 0x3F]};
    std::memcpy(pDest, quad, 4);
}

}  // namespace

int CBase64Codec::GetRequiredLength(int nSrcLen) const {
    if (nSrcLen < 0) AtlThrow(E_INVALIDARG);
    if (4 * static_cast<std::int64_t>(nSrcLen) > INT32_MAX) AtlThrow(E_FAIL);

    int nRet = 4 * nSrcLen / 3 + nSrcLen % 3;
    const int nLines = nRet / kLineLength;
    const int nOnLastLine = nRet % kLineLength;
    if (nOnLastLine != 0 && nOnLastLine % 4 != 0) nRet += 4 - nOnLastLine % 4;
    return nRet + 2 * (nLines + 1);
}

bool CBase64Codec::Encode(const BYTE* pbSrcData, int nSrcLen, char* szDest, int* pnDestLen) const {
    if (pbSrcData == nullptr || szDest == nullptr || pnDestLen == nullptr) return false;
    if (*pnDestLen < GetRequiredLength(nSrcLen)) return false;

    const BYTE* pSrc = pbSrcData;
    char* pDest = szDest;
    // Line by line: 19 complete groups and CR LF, then what is left of them.
    for (int nGroupsLeft = nSrcLen / 3; nGroupsLeft > 0;) {
        const int nOnLine = nGroupsLeft < kGroupsPerLine ? nGroupsLeft : kGroupsPerLine;
        const BYTE* const pLineEnd = pSrc + 3 * nOnLine;
        // Groups with a fourth source byte after them are read with one load
        // of four bytes, as a big-endian number; only the very last complete
        // group may lack that byte.
        const BYTE* const pWideEnd = pbSrcData + nSrcLen - 3 < pLineEnd ? pbSrcData + nSrcLen - 3 : pLineEnd;
        for (; pSrc < pWideEnd; pSrc += 3, pDest += 4) {
            std::uint32_t nRaw;
            std::memcpy(&nRaw, pSrc, 4);
            WriteQuad(__builtin_bswap32(nRaw) >> 8, pDest);
        }
        for (; pSrc != pLineEnd; pSrc += 3, pDest += 4) WriteQuad((pSrc[0] << 16) | (pSrc[1] << 8) | pSrc[2], pDest);
        nGroupsLeft -= nOnLine;
        if (nOnLine == kGroupsPerLine) {
            pDest[0] = '\r';
            pDest[1] = '\n';
            pDest += 2;
        }
    }

    // The final partial group follows straight on, without a line break.
    const int nRest = nSrcLen % 3;
    if (nRest != 0) {
        const std::uint32_t nValue = (pSrc[0] << 16) | (nRest == 2 ? pSrc[1] << 8 : 0);
        pDest[0] = kAlphabet[nValue >> 18];
        pDest[1] = kAlphabet[(nValue >> 12) & 0x3F];
        pDest[2] = nRest == 2 ? kAlphabet[(nValue >> 6) & 0x3F] : '=';
        pDest[3] = '=';
        pDest += 4;
    }

    *pnDestLen = static_cast<int>(pDest - szDest);
    return true;
}

CStringA CBase64Codec::EncodeToString(const BYTE* pbSrcData, int nSrcLen) const {
    const int nRequired = GetRequiredLength(nSrcLen);  // raises before anything is allocated

    // Twice the demanded room, so that the capacity test cannot fail here.
    K7SimpleArrayT<char> buffer(2 * static_cast<std::uint32_t>(nRequired) + 1);
    int nLength = static_cast<int>(buffer.m_nCount - 1);
    if (!Encode(pbSrcData, nSrcLen, buffer.m_pData, &nLength)) return CStringA();
    if (static_cast<std::uint32_t>(nLength) < buffer.m_nCount) buffer.m_pData[nLength] = '\0';
    return CStringA(buffer.m_pData);
}

}  // namespace Crypt
