#include <gtest/gtest.h>

#include "app/K7FsPathT.h"
#include "tests/fake/FakeWindowsTest.h"

typedef K7FsPathT<Traits::K7FsPathStrTraitA> CFsPathA;

struct CombineCase {
    const char* folder;
    const char* expected;
};

class CombineTest : public ::testing::TestWithParam<CombineCase> {
protected:
    void SetUp() override { FakeWindows::Get().Reset(); }
};

TEST_P(CombineTest, JoinsWithExactlyOneSeparatorWhereOneIsNeeded) {
    const CFsPathA folder(GetParam().folder);
    const CFsPathA combined = folder.Combine("VelstromTessalySetup.msi");
    EXPECT_STREQ(combined, GetParam().expected);
    EXPECT_STREQ(folder, GetParam().folder);
}

INSTANTIATE_TEST_SUITE_P(Folders, CombineTest,
                         ::testing::Values(CombineCase{"C:\\Temp\\", "C:\\Temp\\VelstromTessalySetup.msi"},
                                           CombineCase{"C:/Temp/", "C:/Temp/VelstromTessalySetup.msi"},
                                           CombineCase{"C:\\Temp", "C:\\Temp\\VelstromTessalySetup.msi"},
                                           CombineCase{"", "VelstromTessalySetup.msi"},
                                           CombineCase{"C:\\Temp\\\\", "C:\\Temp\\\\VelstromTessalySetup.msi"},
                                           // A double-byte character whose trail byte is a backslash
                                           // counts as a separator: only the last byte is looked at.
                                           CombineCase{"C:\\\x95\x5C", "C:\\\x95\x5CVelstromTessalySetup.msi"}));

TEST(CombinePathTest, ResultSharesNothingWithTheFolderOnceWritten) {
    const CFsPathA folder("C:\\Temp");
    CFsPathA combined = folder.Combine("a.msi");
    combined += ".part";
    EXPECT_STREQ(folder, "C:\\Temp");
}
