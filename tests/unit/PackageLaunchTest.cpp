#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/PackageLaunch.h"
#include "framework/CMemoryException.h"
#include "tests/fake/FakeWindowsTest.h"

namespace {

const char kPackagePath[] = "C:\\Users\\tester\\Temp\\VelstromTessalySetup.msi";

// The calls of a run that writes the package in full and launches it.
std::vector<std::string> ExpectedCalls(const std::string& path, size_t nPackageBytes) {
    const std::string quoted = "\"" + path + "\"";
    return {
        "GetTempPathA(1023)",
        "DeleteFileA(" + quoted + ")",
        "FindResourceA(self, #130, \"MSI\")",
        "LoadResource(self, MSI#130)",
        "SizeofResource(self, MSI#130)",
        "LockResource(MSI#130)",
        "CreateFileA(" + quoted + ", 0x40000000, 0x1, NULL, 2, 0x80, NULL)",
        "WriteFile(file#1, MSI#130 data, " + std::to_string(nPackageBytes) + ", count, NULL)",
        "CloseHandle(file#1)",
        "ShellExecuteA(NULL, \"open\", " + quoted + ", \"\", \"\", 5)",
    };
}

}  // namespace

class PackageLaunchTest : public FakeWindowsTest {
protected:
    int Run() { return ExtractAndLaunchPackage(); }
};

TEST_F(PackageLaunchTest, WritesThePackageFromTheResourceAndOpensItWithTheShell) {
    EXPECT_EQ(Run(), 0);
    EXPECT_EQ(fake.calls, ExpectedCalls(kPackagePath, Package().size()));
    EXPECT_EQ(fake.files.at(kPackagePath), Package());
    EXPECT_EQ(fake.launchedContents, std::vector<std::string>{Package()});
    EXPECT_EQ(fake.openFiles(), 0);
}

TEST_F(PackageLaunchTest, ALongerOldFileIsReplacedEntirely) {
    fake.files[kPackagePath] = std::string(10000, 'o');
    EXPECT_EQ(Run(), 0);
    EXPECT_EQ(fake.files.at(kPackagePath), Package());
}

TEST_F(PackageLaunchTest, WithoutATemporaryFolderThePackageGoesToTheCurrentDirectory) {
    fake.tempPath = "";
    EXPECT_EQ(Run(), 0);
    EXPECT_EQ(fake.calls, ExpectedCalls("VelstromTessalySetup.msi", Package().size()));
    EXPECT_EQ(fake.files.at("VelstromTessalySetup.msi"), Package());
}

TEST_F(PackageLaunchTest, ATemporaryFolderLongerThanTheOfferedRoomCountsAsNone) {
    const std::string longest = "C:\\" + std::string(1018, 'd') + "\\";  // 1022 characters
    for (const std::string& folder : {longest, longest + "e"}) {
        SCOPED_TRACE(folder.size());
        SetUp();
        fake.tempPath = folder;
        fake.directories = {folder.substr(0, folder.size() - 1)};
        EXPECT_EQ(Run(), 0);
        const std::string expected =
            folder.size() <= 1022 ? folder + "VelstromTessalySetup.msi" : "VelstromTessalySetup.msi";
        EXPECT_EQ(fake.files.count(expected), 1u);
    }
}

TEST_F(PackageLaunchTest, AFileThatCannotBeDeletedButCanBeOverwrittenIsReplaced) {
    fake.files[kPackagePath] = "old";
    fake.failDelete = true;
    EXPECT_EQ(Run(), 0);
    EXPECT_EQ(fake.files.at(kPackagePath), Package());
    EXPECT_EQ(fake.launchedContents, std::vector<std::string>{Package()});
}

// Each case where the package is not written in full: nothing is launched,
// the exit code is 1, and no partly written file is left behind.
struct NotWrittenCase {
    const char* name;
    void (*arrange)(FakeWindows&);
    const char* fileAfterwards;  // nullptr: no file under the package's name
};

class PackageNotWrittenTest : public PackageLaunchTest, public ::testing::WithParamInterface<NotWrittenCase> {};

TEST_P(PackageNotWrittenTest, NothingIsLaunchedAndNoPartialFileIsLeft) {
    GetParam().arrange(fake);
    EXPECT_EQ(Run(), 1);
    EXPECT_FALSE(fake.IsLaunched());
    EXPECT_EQ(fake.openFiles(), 0);
    if (GetParam().fileAfterwards == nullptr) {
        EXPECT_EQ(fake.files.count(kPackagePath), 0u);
    } else {
        EXPECT_EQ(fake.files.at(kPackagePath), GetParam().fileAfterwards);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Faults, PackageNotWrittenTest,
    ::testing::Values(NotWrittenCase{"FileHeldOpenElsewhere",
                                     [](FakeWindows& f) {
                                         f.files[kPackagePath] = "someone else's";
                                         f.lockedFiles.insert(kPackagePath);
                                     },
                                     "someone else's"},
                      NotWrittenCase{"ReadOnlyStalePackage",
                                     [](FakeWindows& f) {
                                         f.files[kPackagePath] = "stale package";
                                         f.lockedFiles.insert(kPackagePath);
                                     },
                                     "stale package"},
                      NotWrittenCase{"FolderMissing", [](FakeWindows& f) { f.directories.clear(); }, nullptr},
                      NotWrittenCase{"CreateFails", [](FakeWindows& f) { f.failCreate = true; }, nullptr},
                      NotWrittenCase{"ResourceMissing", [](FakeWindows& f) { f.resources.clear(); }, nullptr},
                      NotWrittenCase{"ResourceEmpty", [](FakeWindows& f) { f.SetResource("MSI", 130, ""); }, nullptr},
                      NotWrittenCase{"ResourceNotLoadable", [](FakeWindows& f) { f.failLoadResource = true; }, nullptr},
                      NotWrittenCase{"ResourceNotLockable", [](FakeWindows& f) { f.failLockResource = true; }, nullptr},
                      NotWrittenCase{"WriteStopsShort", [](FakeWindows& f) { f.writeLimit = 10; }, nullptr},
                      NotWrittenCase{"WriteStopsShortOverAnOldFile",
                                     [](FakeWindows& f) {
                                         f.files[kPackagePath] = "old package";
                                         f.writeLimit = 0;
                                     },
                                     nullptr},
                      NotWrittenCase{"CloseFails", [](FakeWindows& f) { f.failClose = true; }, nullptr}),
    [](const ::testing::TestParamInfo<NotWrittenCase>& info) { return std::string(info.param.name); });

TEST_F(PackageLaunchTest, AFileThatCannotBeCreatedIsNeitherClosedNorDeleted) {
    fake.failCreate = true;
    Run();
    const std::vector<std::string> tail(fake.calls.end() - 1, fake.calls.end());
    EXPECT_EQ(tail, std::vector<std::string>{"CreateFileA(\"" + std::string(kPackagePath) +
                                             "\", 0x40000000, 0x1, NULL, 2, 0x80, NULL)"});
}

TEST_F(PackageLaunchTest, AMissingResourceCreatesNoFile) {
    fake.resources.clear();
    Run();
    EXPECT_EQ(fake.calls.back(), "FindResourceA(self, #130, \"MSI\")");
}

TEST_F(PackageLaunchTest, AShortWriteIsDeletedAfterTheHandleIsClosed) {
    fake.writeLimit = 10;
    Run();
    const std::vector<std::string> tail(fake.calls.end() - 2, fake.calls.end());
    EXPECT_EQ(tail,
              (std::vector<std::string>{"CloseHandle(file#1)", "DeleteFileA(\"" + std::string(kPackagePath) + "\")"}));
}

TEST_F(PackageLaunchTest, AShellRefusalEndsWithExitCode2AndLeavesThePackage) {
    for (INT_PTR refusal : {0, 2, 31, 32}) {
        SetUp();
        fake.shellResult = refusal;
        EXPECT_EQ(Run(), 2) << refusal;
        EXPECT_EQ(fake.files.at(kPackagePath), Package());
    }
    SetUp();
    fake.shellResult = 33;
    EXPECT_EQ(Run(), 0);
}

TEST_F(PackageLaunchTest, MemoryExhaustedWhileThePathIsBuiltIsRaisedBeforeAnythingIsWritten) {
    long failAt = 1;
    for (;; ++failAt) {
        SetUp();
        FakeHeap::Arm(failAt);
        try {
            Run();
        } catch (const CMemoryException&) {
            FakeHeap::Arm(0);
            for (const std::string& call : fake.calls) EXPECT_EQ(call, "GetTempPathA(1023)") << failAt;
            EXPECT_TRUE(fake.files.empty());
            EXPECT_FALSE(fake.IsLaunched());
            continue;
        }
        break;
    }
    EXPECT_LT(FakeHeap::allocations, failAt);  // the run that failed nothing
    EXPECT_GT(failAt, 1);
    EXPECT_TRUE(fake.IsLaunched());
}
