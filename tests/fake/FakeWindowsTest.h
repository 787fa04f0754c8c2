#pragma once
#include <gtest/gtest.h>

#include "tests/fake/FakeWindows.h"

// Base fixture: a fresh fake machine whose executable carries a small package,
// and a process heap that fails nothing.
class FakeWindowsTest : public ::testing::Test {
protected:
    static std::string Package() {
        static const char kBytes[] = "\xD0\xCF\x11\xE0 a small package\0with a NUL inside";
        return std::string(kBytes, sizeof kBytes - 1);
    }

    void SetUp() override {
        fake.Reset();
        FakeHeap::Arm(0);
        fake.SetResource("MSI", 130, Package());
    }
    void TearDown() override { FakeHeap::Arm(0); }

    FakeWindows& fake = FakeWindows::Get();
};
