#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "framework/CMemoryException.h"
#include "source_info/CDownloadInfo.h"
#include "source_info/InstallSourceStage.h"
#include "tests/fake/FakeWindowsTest.h"
#include "tests/unit/Base64Decode.h"

namespace {

std::string CreateKeyCall(const char* mask) {
    return std::string("RegCreateKeyExA(HKLM, \"") + FakeWindowsTest::kProductKey + "\", 0, NULL, 0, " + mask +
           ", NULL, key, disposition)";
}

}  // namespace

class DownloadInfoTest : public FakeWindowsTest {
protected:
    void SetUp() override {
        FakeWindowsTest::SetUp();
        fake.SetResource("K7R", 10, SourceText());
    }

    std::vector<std::string> RegistryCalls() {
        std::vector<std::string> calls;
        for (const std::string& call : fake.calls)
            if (call.rfind("Reg", 0) == 0) calls.push_back(call);
        return calls;
    }
};

TEST_F(DownloadInfoTest, RecordsTheEncodedTextInThe32BitViewThenThe64BitView) {
    RecordInstallSource();

    const std::vector<std::string> expected = {
        "FindResourceA(self, #10, \"K7R\")",
        "LoadResource(self, K7R#10)",
        "SizeofResource(self, K7R#10)",
        "LockResource(K7R#10)",
        CreateKeyCall("0x20206"),
        "lstrlenA(352 chars)",
        "RegSetValueExA(key#1, \"SourceInfo\", 0, 1, 353 bytes)",
        CreateKeyCall("0x20106"),
        "RegCloseKey(key#1)",
        "lstrlenA(352 chars)",
        "RegSetValueExA(key#2, \"SourceInfo\", 0, 1, 353 bytes)",
        "RegCloseKey(key#2)",
    };
    EXPECT_EQ(fake.calls, expected);
    EXPECT_EQ(fake.openKeys(), 0);

    const std::string value = SourceInfo(FakeWindows::kView32);
    ASSERT_EQ(value.size(), 353u);
    EXPECT_EQ(value.back(), '\0');
    const std::string text = value.substr(0, 352);
    EXPECT_EQ(DecodeBase64(text), SourceText());
    for (size_t line = 0; line < 4; ++line) EXPECT_EQ(text.substr(76 + line * 78, 2), "\r\n");
    EXPECT_EQ(text.find('\r', 4 * 78), std::string::npos);  // a last line of 40, no break after it
    EXPECT_EQ(SourceInfo(FakeWindows::kView64), value);
}

struct MissingTextCase {
    const char* name;
    std::function<void(FakeWindows&)> arrange;
};

class MissingTextTest : public DownloadInfoTest, public ::testing::WithParamInterface<MissingTextCase> {};

TEST_P(MissingTextTest, TouchesNoRegistryKey) {
    GetParam().arrange(fake);
    RecordInstallSource();
    EXPECT_EQ(RegistryCalls(), std::vector<std::string>{});
    EXPECT_TRUE(fake.registry[0].empty() && fake.registry[1].empty());
}

INSTANTIATE_TEST_SUITE_P(
    Resources, MissingTextTest,
    ::testing::Values(MissingTextCase{"Absent",
                                      [](FakeWindows& f) {
                                          f.resources.erase({"K7R", 10});
                                      }},
                      MissingTextCase{"Empty", [](FakeWindows& f) { f.SetResource("K7R", 10, ""); }},
                      MissingTextCase{"OneByte", [](FakeWindows& f) { f.SetResource("K7R", 10, "<"); }},
                      MissingTextCase{"NotLoadable", [](FakeWindows& f) { f.failLoadResource = true; }},
                      MissingTextCase{"NotLockable", [](FakeWindows& f) { f.failLockResource = true; }}),
    [](const ::testing::TestParamInfo<MissingTextCase>& info) { return std::string(info.param.name); });

struct TextCase {
    const char* name;
    std::string resource;
    std::string encodedBytes;  // what the stored value must decode to
};

class TextBytesTest : public DownloadInfoTest, public ::testing::WithParamInterface<TextCase> {};

TEST_P(TextBytesTest, EncodesWholeCodeUnitsExactlyAsStored) {
    fake.SetResource("K7R", 10, GetParam().resource);
    RecordInstallSource();
    const std::string value = SourceInfo(FakeWindows::kView32);
    ASSERT_NE(value, "<none>");
    EXPECT_EQ(DecodeBase64(value.substr(0, value.size() - 1)), GetParam().encodedBytes);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, TextBytesTest,
    ::testing::Values(TextCase{"OddSizeDropsTheLastByte", std::string("a\0b\0c", 5), std::string("a\0b\0", 4)},
                      TextCase{"NulCodeUnitsAreKept", std::string("a\0\0\0b\0", 6), std::string("a\0\0\0b\0", 6)},
                      TextCase{"AByteOrderMarkIsKept", std::string("\xFF\xFEz\0", 4), std::string("\xFF\xFEz\0", 4)}),
    [](const ::testing::TestParamInfo<TextCase>& info) { return std::string(info.param.name); });

struct ViewCase {
    const char* name;
    bool denied32;
    bool denied64;
    std::vector<std::string> calls;
};

class DeniedViewTest : public DownloadInfoTest, public ::testing::WithParamInterface<ViewCase> {};

TEST_P(DeniedViewTest, WritesTheOtherViewAndClosesWhatItOpened) {
    fake.registryDenied[FakeWindows::kView32] = GetParam().denied32;
    fake.registryDenied[FakeWindows::kView64] = GetParam().denied64;
    RecordInstallSource();
    EXPECT_EQ(RegistryCalls(), GetParam().calls);
    EXPECT_EQ(SourceInfo(FakeWindows::kView32) != "<none>", !GetParam().denied32);
    EXPECT_EQ(SourceInfo(FakeWindows::kView64) != "<none>", !GetParam().denied64);
    EXPECT_EQ(fake.openKeys(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Views, DeniedViewTest,
    ::testing::Values(ViewCase{"Only32BitDenied",
                               true,
                               false,
                               {CreateKeyCall("0x20206"), CreateKeyCall("0x20106"),
                                "RegSetValueExA(key#1, \"SourceInfo\", 0, 1, 353 bytes)", "RegCloseKey(key#1)"}},
                      ViewCase{"Only64BitDenied",
                               false,
                               true,
                               {CreateKeyCall("0x20206"), "RegSetValueExA(key#1, \"SourceInfo\", 0, 1, 353 bytes)",
                                CreateKeyCall("0x20106"), "RegCloseKey(key#1)"}},
                      ViewCase{"BothDenied", true, true, {CreateKeyCall("0x20206"), CreateKeyCall("0x20106")}}),
    [](const ::testing::TestParamInfo<ViewCase>& info) { return std::string(info.param.name); });

TEST_F(DownloadInfoTest, AFailedCloseOfThe32BitKeyLeavesThe64BitViewUnwritten) {
    fake.failRegCloseKeyNumber = 1;
    RecordInstallSource();
    const std::vector<std::string> expected = {
        CreateKeyCall("0x20206"), "RegSetValueExA(key#1, \"SourceInfo\", 0, 1, 353 bytes)",
        CreateKeyCall("0x20106"), "RegCloseKey(key#1)",
        "RegCloseKey(key#2)",
    };
    EXPECT_EQ(RegistryCalls(), expected);
    EXPECT_NE(SourceInfo(FakeWindows::kView32), "<none>");
    EXPECT_EQ(SourceInfo(FakeWindows::kView64), "<none>");
}

TEST_F(DownloadInfoTest, AnOldValueIsReplacedAndTheKeysOtherValuesStay) {
    for (auto& view : fake.registry) {
        view[FakeWindowsTest::kProductKey]["SourceInfo"] = {REG_SZ, "old"};
        view[FakeWindowsTest::kProductKey]["Other"] = {REG_SZ, "kept"};
    }
    RecordInstallSource();
    for (auto& view : fake.registry) {
        EXPECT_EQ(view[FakeWindowsTest::kProductKey]["SourceInfo"].data.size(), 353u);
        EXPECT_EQ(view[FakeWindowsTest::kProductKey]["Other"].data, "kept");
    }
}

TEST_F(DownloadInfoTest, TheKeyNameIsInsertedLiterally) {
    EXPECT_STREQ(CDownloadInfo(CStringA("Freeware - 100%s %d")).GetRegistryKeyPath(),
                 "Software\\Velstrom\\Freeware - 100%s %d");
}

TEST_F(DownloadInfoTest, AnEmptyTextEncodesToTheEmptyString) {
    EXPECT_STREQ(CDownloadInfo(CStringA("Freeware - Tessaly")).GetEncodedSourceInfo(), "");
}

TEST_F(DownloadInfoTest, MemoryExhaustedAfterThe32BitWriteKeepsThatValueAndClosesTheKey) {
    bool seen = false;
    for (long failAt = 1; !seen; ++failAt) {
        SetUp();
        FakeHeap::Arm(failAt);
        try {
            RecordInstallSource();
            FAIL() << "no allocation point between the two writes";
        } catch (const CMemoryException&) {
        }
        FakeHeap::Arm(0);
        if (SourceInfo(FakeWindows::kView32) == "<none>") continue;
        seen = true;
        EXPECT_EQ(SourceInfo(FakeWindows::kView64), "<none>");
        EXPECT_EQ(fake.openKeys(), 0);
        EXPECT_EQ(fake.calls.back(), "RegCloseKey(key#1)");
    }
}
