#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "framework/CWinApp.h"
#include "tests/fake/FakeWindowsTest.h"

// The whole run, once for every allocation it makes, with that allocation
// failing: every run ends in order and leaves a consistent machine behind.
class AllocationSweepTest : public FakeWindowsTest {
protected:
    void SetUp() override {
        FakeWindowsTest::SetUp();
        fake.SetResource("K7R", 10, SourceText());
    }
};

TEST_F(AllocationSweepTest, EveryFailedAllocationEndsInOrderAndLeavesAConsistentMachine) {
    AfxWinMain(fake.Module(), nullptr, const_cast<char*>(""), SW_SHOW);
    const std::string completeValue = SourceInfo(FakeWindows::kView32);
    ASSERT_EQ(completeValue.size(), 353u);

    long points = 0;
    long inOrder = 0;
    for (long failAt = 1;; ++failAt) {
        SetUp();
        const long liveBefore = FakeHeap::Live();
        FakeHeap::Arm(failAt);
        const int exitCode = AfxWinMain(fake.Module(), nullptr, const_cast<char*>(""), SW_SHOW);
        const bool failed = FakeHeap::allocations >= failAt;
        const bool leaked = FakeHeap::Live() != liveBefore;
        FakeHeap::Arm(0);
        if (!failed) break;
        ++points;

        SCOPED_TRACE("allocation " + std::to_string(failAt) + " failed");
        const std::string value32 = SourceInfo(FakeWindows::kView32);
        const std::string value64 = SourceInfo(FakeWindows::kView64);
        bool consistent = !leaked && fake.openFiles() == 0 && fake.openKeys() == 0;
        // The registry: untouched, the 32-bit view only, or both; never a partial value.
        const std::string none = "<none>";
        consistent &= (value32 == none && value64 == none) || (value32 == completeValue && value64 == none) ||
                      (value32 == completeValue && value64 == completeValue);
        if (exitCode == 0) {
            // Failed while recording: the package is still written in full and launched.
            consistent &= fake.files.size() == 1 && fake.files.begin()->second == Package() &&
                          fake.launchedContents == std::vector<std::string>{Package()};
        } else {
            // Failed while extracting: nothing written, nothing launched.
            consistent &= exitCode == 3 && fake.files.empty() && !fake.IsLaunched() && value64 == completeValue;
        }
        EXPECT_TRUE(consistent) << "exit code " << exitCode << ", 32-bit value " << value32.size() << " bytes, 64-bit "
                                << value64.size() << ", files " << fake.files.size();
        inOrder += consistent;
    }
    std::printf("%ld allocation points, %ld ended in order\n", points, inOrder);
    EXPECT_GT(points, 0);
}
