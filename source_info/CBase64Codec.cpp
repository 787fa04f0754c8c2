#include "source_info/CBase64Codec.h"

#include <cstdint>

#include "framework/AtlThrow.h"
#include "source_info/K7SimpleArrayT.h"

namespace Crypt {

namespace {

const char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
const int kGroupsPerLine = 19;  // 76 characters
const int kLineLength = 4 * kGroupsPerLine;

}  // namespace

int CBase64Codec::GetRequiredLength(int nSrcLen) const {
    if (nSrcLen < 0) AtlThrow(E_INVALIDARG);
    const std::int64_t nQuad = 4 * static_cast<std::int64_t>(nSrcLen);
    if (nQuad > INT32_MAX) AtlThrow(E_FAIL);

    int nRet = static_cast<int>(nQuad / 3) + nSrcLen % 3;
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
    const int nGroups = nSrcLen / 3;
    for (int nGroup = 1; nGroup <= nGroups; ++nGroup, pSrc += 3) {
        const std::uint32_t nValue = (pSrc[0] << 16) | (pSrc[1] << 8) | pSrc[2];
        pDest[0] = kAlphabet[nValue >> 18];
        pDest[1] = kAlphabet[(nValue >> 12) & 0x3F];
        pDest[2] = kAlphabet[(nValue >> 6) & 0x3F];
        pDest[3] = kAlphabet[nValue & 0x3F];
        pDest += 4;
        if (nGroup % kGroupsPerLine == 0) {
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
