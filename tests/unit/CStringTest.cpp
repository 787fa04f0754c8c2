#include <gtest/gtest.h>

#include <string>

#include "framework/CMemoryException.h"
#include "framework/COleException.h"
#include "framework/CStringT.h"
#include "tests/fake/FakeWindowsTest.h"

using CStringTest = FakeWindowsTest;

TEST_F(CStringTest, CopiesShareTheirTextUntilOneIsWritten) {
    CStringA original("Software");
    CStringA copy(original);
    EXPECT_EQ(copy.GetString(), original.GetString());

    copy += "\\Velstrom";
    EXPECT_NE(copy.GetString(), original.GetString());
    EXPECT_STREQ(original, "Software");
    EXPECT_STREQ(copy, "Software\\Velstrom");
}

TEST_F(CStringTest, WritingAnUnsharedStringWithRoomReusesItsBuffer) {
    CStringA text;
    char* buffer = text.GetBuffer(64);
    text.ReleaseBuffer(0);
    text += "abc";
    EXPECT_EQ(text.GetString(), buffer);
}

TEST_F(CStringTest, ReleaseBufferTakesTheLengthFromTheFirstNul) {
    CStringA text;
    char* buffer = text.GetBuffer(16);
    std::memcpy(buffer, "C:\\Temp\\\0junk", 13);
    text.ReleaseBuffer();
    EXPECT_EQ(text.GetLength(), 8);
    EXPECT_STREQ(text, "C:\\Temp\\");
}

TEST_F(CStringTest, ReleaseBufferLooksNoFurtherThanTheBuffer) {
    CStringA text;
    char* buffer = text.GetBuffer(8);
    std::memset(buffer, 'x', 8);  // the whole requested room, no NUL within it
    text.ReleaseBuffer();
    EXPECT_EQ(text.GetLength(), 8);
}

TEST_F(CStringTest, SetStringKeepsNulsAndMayReadItsOwnText) {
    CStringW wide(u"a\0b", 3);
    EXPECT_EQ(wide.GetLength(), 3);
    EXPECT_EQ(wide.GetString()[1], u'\0');

    CStringA narrow("Freeware - Tessaly");
    narrow.SetString(narrow.GetString() + 11, 7);
    EXPECT_STREQ(narrow, "Tessaly");
}

TEST_F(CStringTest, FormatInsertsItsArgumentsLiterally) {
    CStringA text;
    text.Format("Software\\Velstrom\\%s", "100%s %d");
    EXPECT_STREQ(text, "Software\\Velstrom\\100%s %d");
    EXPECT_EQ(text.GetLength(), 26);
}

TEST_F(CStringTest, OutOfBoundsLengthsRaiseInvalidArg) {
    CStringA text("abc");
    for (auto attempt : {+[](CStringA& s) { s.SetString("x", -1); }, +[](CStringA& s) { s.ReleaseBuffer(1000); },
                         +[](CStringA& s) { s.GetBuffer(-1); }}) {
        try {
            attempt(text);
            ADD_FAILURE() << "nothing raised";
        } catch (const COleException& e) {
            EXPECT_EQ(e.m_sc, E_INVALIDARG);
        }
    }
}

TEST_F(CStringTest, FailedAllocationRaisesMemoryExceptionAndLeavesTheStringAsItWas) {
    CStringA original("Software");
    CStringA copy(original);
    FakeHeap::Arm(1);
    EXPECT_THROW(copy += "\\Velstrom", CMemoryException);
    EXPECT_STREQ(copy, "Software");
    EXPECT_EQ(copy.GetString(), original.GetString());
}
