#include <gtest/gtest.h>

#include <algorithm>
#include <map>
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

TEST_F(PackageLaunchTest, AFileThatCannotBeCreatedIsNeitherClosedNorDeletedNorTriedElsewhere) {
    fake.failCreate = true;
    Run();
    const auto create = std::find_if(fake.calls.begin(), fake.calls.end(),
                                     [](const std::string& call) { return call.rfind("CreateFileA(", 0) == 0; });
    ASSERT_NE(create, fake.calls.end());
    EXPECT_EQ(*create, "CreateFileA(\"" + std::string(kPackagePath) + "\", 0x40000000, 0x1, NULL, 2, 0x80, NULL)");
    // The folder's ANSI form is right, so no other form of it is tried.
    EXPECT_EQ(std::vector<std::string>(create + 1, fake.calls.end()),
              (std::vector<std::string>{"GetTempPathW(1023)",
                                        "WideCharToMultiByte(0, 0x400, \"C:\\Users\\tester\\Temp\\\", 21, 63, "
                                        "NULL, used)"}));
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

TEST_F(PackageLaunchTest, AFolderTheAnsiCodePageSpellsKeepsTheOrdinaryCalls) {
    fake.tempPath = "C:\\Users\\José Müller\\Temp\\";  // letters of the code page
    fake.directories = {"C:\\Users\\José Müller\\Temp"};
    EXPECT_EQ(Run(), 0);
    EXPECT_EQ(fake.calls,
              ExpectedCalls("C:\\Users\\Jos\xE9 M\xFCller\\Temp\\VelstromTessalySetup.msi", Package().size()));
}

// A temporary folder whose name the ANSI code page cannot spell: GetTempPathA
// reports look-alike letters or '?', which name no folder.
struct UnspellableFolderCase {
    const char* name;
    const char* folder;       // with its final separator
    const char* shortForm;    // nullptr: the folder has no short name
    const char* packagePath;  // where the package is written and opened; nullptr: nowhere
};

class UnspellableTempFolderTest : public PackageLaunchTest,
                                  public ::testing::WithParamInterface<UnspellableFolderCase> {};

TEST_P(UnspellableTempFolderTest, ThePackageGoesToTheFoldersShortFormWhenThatIsAnsi) {
    const UnspellableFolderCase& c = GetParam();
    const auto withoutSeparator = [](const std::string& folder) { return folder.substr(0, folder.size() - 1); };
    fake.tempPath = c.folder;
    fake.directories = {withoutSeparator(c.folder)};
    if (c.shortForm != nullptr) {
        fake.shortNames[c.folder] = c.shortForm;
        fake.directories.insert(withoutSeparator(c.shortForm));
    }
    if (c.packagePath != nullptr) {
        EXPECT_EQ(Run(), 0);
        EXPECT_EQ(fake.files, (std::map<std::string, std::string>{{c.packagePath, Package()}}));
        EXPECT_EQ(fake.calls.back(),
                  "ShellExecuteA(NULL, \"open\", \"" + std::string(c.packagePath) + "\", \"\", \"\", 5)");
        EXPECT_EQ(fake.launchedContents, std::vector<std::string>{Package()});
    } else {
        EXPECT_EQ(Run(), 1);
        EXPECT_TRUE(fake.files.empty());
        EXPECT_FALSE(fake.IsLaunched());
    }
    EXPECT_EQ(fake.openFiles(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Folders, UnspellableTempFolderTest,
    ::testing::Values(UnspellableFolderCase{"BestFitLetters", "C:\\Users\\Łukasz Źródło\\Temp\\",
                                            "C:\\Users\\UKASZ~1\\Temp\\",
                                            "C:\\Users\\UKASZ~1\\Temp\\VelstromTessalySetup.msi"},
                      UnspellableFolderCase{"QuestionMarks", "C:\\Users\\山田\\Temp\\", "C:\\Users\\5C71~1\\Temp\\",
                                            "C:\\Users\\5C71~1\\Temp\\VelstromTessalySetup.msi"},
                      UnspellableFolderCase{"NoShortName", "C:\\Users\\Łukasz\\Temp\\", nullptr, nullptr},
                      UnspellableFolderCase{"ShortNameNotAnsiEither", "C:\\Users\\Łukasz Nowak\\Temp\\",
                                            "C:\\Users\\ŁUKASZ~1\\Temp\\", nullptr}),
    [](const ::testing::TestParamInfo<UnspellableFolderCase>& info) { return std::string(info.param.name); });

TEST_F(PackageLaunchTest, TheShortFormIsAskedForOnlyOnceTheAnsiFormFailed) {
    fake.tempPath = "C:\\Ł\\";
    fake.directories = {"C:\\Ł", "C:\\L~1"};
    fake.shortNames["C:\\Ł\\"] = "C:\\L~1\\";
    EXPECT_EQ(Run(), 0);
    std::vector<std::string> expected = ExpectedCalls("C:\\L\\VelstromTessalySetup.msi", Package().size());
    expected.resize(7);  // up to the CreateFileA that fails
    for (const std::string& call : {
             std::string("GetTempPathW(1023)"),
             std::string("WideCharToMultiByte(0, 0x400, \"C:\\Ł\\\", 5, 15, NULL, used)"),
             std::string("GetShortPathNameW(\"C:\\Ł\\\", 1024)"),
             std::string("WideCharToMultiByte(0, 0x400, \"C:\\L~1\\\", 7, 21, NULL, used)"),
         })
        expected.push_back(call);
    const std::vector<std::string> retry = ExpectedCalls("C:\\L~1\\VelstromTessalySetup.msi", Package().size());
    expected.insert(expected.end(), retry.begin() + 1, retry.end());  // all but GetTempPathA
    EXPECT_EQ(fake.calls, expected);
}

TEST_F(PackageLaunchTest, MemoryExhaustedWhileTheShortFormIsBuiltWritesAndLeaksNothing) {
    long failAt = 1;
    for (;; ++failAt) {
        SetUp();
        fake.tempPath = "C:\\Ł\\";
        fake.directories = {"C:\\Ł", "C:\\L~1"};
        fake.shortNames["C:\\Ł\\"] = "C:\\L~1\\";
        const long liveBefore = FakeHeap::Live();
        FakeHeap::Arm(failAt);
        try {
            Run();
        } catch (const CMemoryException&) {
            FakeHeap::Arm(0);
            EXPECT_EQ(FakeHeap::Live(), liveBefore) << failAt;
            EXPECT_TRUE(fake.files.empty()) << failAt;
            EXPECT_FALSE(fake.IsLaunched()) << failAt;
            continue;
        }
        break;
    }
    EXPECT_TRUE(fake.IsLaunched());
    EXPECT_GT(failAt, 4);  // the ordinary path's allocations, then the short form's
}
