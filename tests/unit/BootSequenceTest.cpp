#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/CTessalySetupBootApp.h"
#include "framework/CWinApp.h"
#include "source_info/InstallSourceStage.h"
#include "tests/fake/FakeWindowsTest.h"

namespace {

size_t IndexOf(const std::vector<std::string>& calls, const std::string& prefix) {
    const auto found =
        std::find_if(calls.begin(), calls.end(), [&](const std::string& call) { return call.rfind(prefix, 0) == 0; });
    return static_cast<size_t>(found - calls.begin());
}

}  // namespace

class BootSequenceTest : public FakeWindowsTest {
protected:
    void SetUp() override {
        FakeWindowsTest::SetUp();
        fake.SetResource("K7R", 10, SourceText());
    }

    // Runs the program as Windows starts it.
    int Run(const char* commandLine = "") {
        return AfxWinMain(fake.Module(), nullptr, const_cast<char*>(commandLine), SW_SHOW);
    }

    int ViewsWritten() {
        return (SourceInfo(FakeWindows::kView32) != "<none>") + (SourceInfo(FakeWindows::kView64) != "<none>");
    }
};

TEST_F(BootSequenceTest, RecordsTheInstallSourceBeforeThePackageIsWrittenAndLaunched) {
    EXPECT_EQ(Run(), 0);
    EXPECT_EQ(ViewsWritten(), 2);
    EXPECT_TRUE(fake.IsLaunched());
    const size_t lastRegistryCall = fake.calls.size() - 1 - IndexOf({fake.calls.rbegin(), fake.calls.rend()}, "Reg");
    EXPECT_LT(lastRegistryCall, IndexOf(fake.calls, "GetTempPathA"));
}

TEST_F(BootSequenceTest, AnyCommandLineGivesTheSameRun) {
    Run();
    const std::vector<std::string> plain = fake.calls;
    SetUp();
    EXPECT_EQ(Run("/x {6F3B2A91-4C1D-4E7A-9B52-0D8E5C7A1F34} /qn \"C:\\other.msi\""), 0);
    EXPECT_EQ(fake.calls, plain);
}

TEST_F(BootSequenceTest, WithoutRegistryAccessThePackageIsStillLaunched) {
    fake.registryDenied[0] = fake.registryDenied[1] = true;
    EXPECT_EQ(Run(), 0);
    EXPECT_EQ(ViewsWritten(), 0);
    EXPECT_TRUE(fake.IsLaunched());
}

TEST_F(BootSequenceTest, TheExitCodeTellsWhetherThePackageWasHandedToTheShell) {
    fake.failCreate = true;
    EXPECT_EQ(Run(), 1);
    SetUp();
    fake.shellResult = 5;
    EXPECT_EQ(Run(), 2);
}

TEST_F(BootSequenceTest, AFailureRaisedWhileRecordingIsSwallowedAndThePackageStillLaunched) {
    FakeHeap::Arm(1);
    EXPECT_EQ(Run(), 0);
    EXPECT_EQ(ViewsWritten(), 0);
    EXPECT_EQ(fake.launchedContents, std::vector<std::string>{Package()});
}

TEST_F(BootSequenceTest, AFailureRaisedWhileExtractingEndsWithExitCode3AndNothingWrittenOrLaunched) {
    FakeHeap::Arm(0);
    RecordInstallSource();
    const long stageAllocations = FakeHeap::allocations;

    long failAt = stageAllocations + 1;
    for (;; ++failAt) {
        SetUp();
        FakeHeap::Arm(failAt);
        const int exitCode = Run();
        const bool failed = FakeHeap::allocations >= failAt;
        FakeHeap::Arm(0);
        if (!failed) break;  // nothing left to fail
        EXPECT_EQ(exitCode, 3) << failAt;
        EXPECT_EQ(ViewsWritten(), 2);
        EXPECT_TRUE(fake.files.empty());
        EXPECT_FALSE(fake.IsLaunched());
    }
    EXPECT_GT(failAt, stageAllocations + 1);
}

TEST_F(BootSequenceTest, InitInstanceReturnsFalseOnEveryPath) {
    EXPECT_FALSE(theApp.InitInstance());
    fake.shellResult = 2;
    EXPECT_FALSE(theApp.InitInstance());
    FakeHeap::Arm(1);
    EXPECT_FALSE(theApp.InitInstance());
}
