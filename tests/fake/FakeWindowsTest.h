#pragma once
#include <gtest/gtest.h>

#include "framework/CWinApp.h"
#include "tests/fake/FakeWindows.h"

// Base fixture: a fresh fake machine whose executable carries a small package
// and is the framework's resource module, and a process heap that fails nothing.
class FakeWindowsTest : public ::testing::Test {
public:
    static constexpr const char* kProductKey = "Software\\Velstrom\\Freeware - Tessaly";

protected:
    static std::string Package() {
        static const char kBytes[] = "\xD0\xCF\x11\xE0 a small package\0with a NUL inside";
        return std::string(kBytes, sizeof kBytes - 1);
    }

    // UTF-16LE bytes of an ASCII text.
    static std::string Utf16(const std::string& ascii) {
        std::string bytes;
        for (char c : ascii) bytes += {c, '\0'};
        return bytes;
    }

    // An install-source text like the shipped one: 128 code units, 256 bytes.
    static std::string SourceText() {
        return Utf16(
            "<K7><CampaignID></CampaignID><Referrer>www.velstrom.test%2ffreeware%2fdownload%2ftessaly</Referrer>"
            "<InputSite>/</InputSite></K7>");
    }

    // The "SourceInfo" data recorded under the product's key in a view, or
    // "<none>"; a recorded value is never empty (it holds at least its NUL).
    std::string SourceInfo(int view) {
        const auto key = fake.registry[view].find(kProductKey);
        if (key == fake.registry[view].end()) return "<none>";
        const auto value = key->second.find("SourceInfo");
        if (value == key->second.end()) return "<none>";
        EXPECT_EQ(value->second.type, REG_SZ);
        return value->second.data;
    }

    void SetUp() override {
        fake.Reset();
        AfxSetResourceHandle(fake.Module());
        FakeHeap::Arm(0);
        fake.SetResource("MSI", 130, Package());
    }
    void TearDown() override { FakeHeap::Arm(0); }

    FakeWindows& fake = FakeWindows::Get();
};
