#pragma once
#include <cstdint>

#include "source_info/CRefCountedT.h"
#include "source_info/SingleThreadedModel.h"

// A fixed number of zeroed elements in one allocation that the array owns.
template <typename T>
class K7SimpleArrayT : public CRefCountedT<SingleThreadedModel> {
public:
    explicit K7SimpleArrayT(std::uint32_t nCount) {
        if (nCount != 0) {
            m_pData = new T[nCount]();
            m_nCount = nCount;
        }
    }
    ~K7SimpleArrayT() override {
        delete[] m_pData;
        m_pData = nullptr;
        m_nCount = 0;
    }

    T* m_pData = nullptr;
    std::uint32_t m_nCount = 0;
};
