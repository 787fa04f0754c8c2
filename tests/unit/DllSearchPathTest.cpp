#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/DllSearchPath.h"
#include "tests/fake/FakeWindowsTest.h"

// How the DLL search is confined on systems with and without
// SetDefaultDllDirectories.
struct DllSearchCase {
    const char* name;
    bool hasSetDefaultDllDirectories;
    bool failSetDefaultDllDirectories;
    bool confined;
    std::vector<std::string> calls;
};

class DllSearchPathTest : public FakeWindowsTest, public ::testing::WithParamInterface<DllSearchCase> {};

TEST_P(DllSearchPathTest, TheSearchIsConfinedToTheSystemFolderWhereTheSystemCan) {
    fake.hasSetDefaultDllDirectories = GetParam().hasSetDefaultDllDirectories;
    fake.failSetDefaultDllDirectories = GetParam().failSetDefaultDllDirectories;
    RestrictDllSearchToSystemFolder();
    EXPECT_EQ(fake.calls, GetParam().calls);
    EXPECT_EQ(IsDllSearchConfined(), GetParam().confined);
}

const char kLookUp[] = "GetModuleHandleA(\"kernel32.dll\")";
const char kGetProc[] = "GetProcAddress(0x7b600000, \"SetDefaultDllDirectories\")";

INSTANTIATE_TEST_SUITE_P(
    Systems, DllSearchPathTest,
    ::testing::Values(
        DllSearchCase{
            "WithSetDefaultDllDirectories", true, false, true, {kLookUp, kGetProc, "SetDefaultDllDirectories(0x800)"}},
        DllSearchCase{"WithoutIt", false, false, false, {kLookUp, kGetProc, "SetDllDirectoryA(\"\")"}},
        DllSearchCase{"WhereItFails",
                      true,
                      true,
                      false,
                      {kLookUp, kGetProc, "SetDefaultDllDirectories(0x800)", "SetDllDirectoryA(\"\")"}}),
    [](const ::testing::TestParamInfo<DllSearchCase>& info) { return std::string(info.param.name); });

class SystemDllTest : public FakeWindowsTest {};

TEST_F(SystemDllTest, IsLoadedByItsFullPathWithItsImportsLookedForBesideIt) {
    EXPECT_NE(LoadSystemDll("SHELL32.dll"), nullptr);
    EXPECT_EQ(fake.calls, (std::vector<std::string>{
                              "GetSystemDirectoryA(260)",
                              "LoadLibraryExA(\"C:\\Windows\\system32\\SHELL32.dll\", NULL, 0x8)",
                          }));
}
