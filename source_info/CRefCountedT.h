#pragma once

// Base of reference-counted objects; the threading model chooses the counter.
template <class TThreadModel>
class CRefCountedT {
public:
    CRefCountedT() = default;
    virtual ~CRefCountedT() = default;
    CRefCountedT(const CRefCountedT&) = delete;
    CRefCountedT& operator=(const CRefCountedT&) = delete;

protected:
    typename TThreadModel::CountType m_nRefCount = 0;
};
