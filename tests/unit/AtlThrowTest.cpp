#include <gtest/gtest.h>

#include "framework/AfxAlloc.h"
#include "framework/AtlThrow.h"
#include "framework/CMemoryException.h"
#include "framework/COleException.h"
#include "tests/fake/FakeWindowsTest.h"

TEST(AtlThrowTest, OutOfMemoryIsRaisedAsMemoryException) { EXPECT_THROW(AtlThrow(E_OUTOFMEMORY), CMemoryException); }

class AtlThrowOleTest : public ::testing::TestWithParam<HRESULT> {};

TEST_P(AtlThrowOleTest, EveryOtherCodeIsRaisedAsOleExceptionCarryingIt) {
    try {
        AtlThrow(GetParam());
        FAIL() << "nothing raised";
    } catch (const COleException& e) {
        EXPECT_EQ(e.m_sc, GetParam());
    }
}

INSTANTIATE_TEST_SUITE_P(Codes, AtlThrowOleTest, ::testing::Values(E_INVALIDARG, E_FAIL, HRESULT(0x80070005L)));

using AfxAllocTest = FakeWindowsTest;

TEST_F(AfxAllocTest, ExhaustedHeapRaisesMemoryExceptionInsteadOfReturningNull) {
    FakeHeap::Arm(1);
    EXPECT_THROW(AfxAlloc(16), CMemoryException);
    FakeHeap::Arm(1);
    EXPECT_THROW(delete new int(7), CMemoryException);
}
