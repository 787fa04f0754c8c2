#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "framework/COleException.h"
#include "source_info/CBase64Codec.h"
#include "tests/fake/FakeWindowsTest.h"
#include "tests/unit/Base64Decode.h"

namespace {

const BYTE* Bytes(const std::string& s) { return reinterpret_cast<const BYTE*>(s.data()); }

std::string Encoded(const std::string& bytes) {
    return std::string(Crypt::CBase64Codec().EncodeToString(Bytes(bytes), static_cast<int>(bytes.size())));
}

std::string Pattern(size_t n) {
    std::string bytes(n, '\0');
    for (size_t i = 0; i < n; ++i) bytes[i] = static_cast<char>(i * 37 + 11);
    return bytes;
}

// Splits the text at each CR LF; a text ending in CR LF gives a last empty line.
std::vector<size_t> LineLengths(const std::string& text) {
    std::vector<size_t> lengths;
    size_t start = 0;
    for (size_t at; (at = text.find("\r\n", start)) != std::string::npos; start = at + 2) lengths.push_back(at - start);
    lengths.push_back(text.size() - start);
    return lengths;
}

}  // namespace

using Base64Test = FakeWindowsTest;

struct VectorCase {
    std::string bytes;
    std::string text;
};

class Base64VectorTest : public Base64Test, public ::testing::WithParamInterface<VectorCase> {};

TEST_P(Base64VectorTest, EncodesToTheExactText) { EXPECT_EQ(Encoded(GetParam().bytes), GetParam().text); }

INSTANTIATE_TEST_SUITE_P(
    Rfc4648AndLineBreaks, Base64VectorTest,
    ::testing::Values(VectorCase{"", ""}, VectorCase{"f", "Zg=="}, VectorCase{"fo", "Zm8="}, VectorCase{"foo", "Zm9v"},
                      VectorCase{"foob", "Zm9vYg=="}, VectorCase{"fooba", "Zm9vYmE="}, VectorCase{"foobar", "Zm9vYmFy"},
                      VectorCase{std::string("a\0b\0", 4), "YQBiAA=="},
                      VectorCase{std::string(57, '\0'), std::string(76, 'A') + "\r\n"},
                      VectorCase{std::string(58, '\xff'), std::string(76, '/') + "\r\n/w=="},
                      VectorCase{[] {
                                     std::string all(256, '\0');
                                     for (int i = 0; i < 256; ++i) all[i] = static_cast<char>(i);
                                     return all;
                                 }(),
                                 "AAECAwQFBgcICQoLDA0ODxAREhMUFRYXGBkaGxwdHh8gISIjJCUmJygpKissLS4vMDEyMzQ1Njc4\r\n"
                                 "OTo7PD0+P0BBQkNERUZHSElKS0xNTk9QUVJTVFVWV1hZWltcXV5fYGFiY2RlZmdoaWprbG1ub3Bx\r\n"
                                 "cnN0dXZ3eHl6e3x9fn+AgYKDhIWGh4iJiouMjY6PkJGSk5SVlpeYmZqbnJ2en6ChoqOkpaanqKmq\r\n"
                                 "q6ytrq+wsbKztLW2t7i5uru8vb6/wMHCw8TFxsfIycrLzM3Oz9DR0tPU1dbX2Nna29zd3t/g4eLj\r\n"
                                 "5OXm5+jp6uvs7e7v8PHy8/T19vf4+fr7/P3+/w=="}));

struct LineCase {
    int n;
    std::vector<size_t> lines;
};

class Base64LineTest : public Base64Test, public ::testing::WithParamInterface<LineCase> {};

TEST_P(Base64LineTest, BreaksAfterEveryNineteenCompleteGroupsOnly) {
    const std::string text = Encoded(Pattern(GetParam().n));
    EXPECT_EQ(LineLengths(text), GetParam().lines);
    EXPECT_EQ(DecodeBase64(text), Pattern(GetParam().n));
}

INSTANTIATE_TEST_SUITE_P(Counts, Base64LineTest,
                         ::testing::Values(LineCase{1, {4}}, LineCase{2, {4}}, LineCase{3, {4}}, LineCase{56, {76}},
                                           LineCase{57, {76, 0}}, LineCase{58, {76, 4}}, LineCase{114, {76, 76, 0}},
                                           LineCase{256, {76, 76, 76, 76, 40}}));

TEST_F(Base64Test, EveryLengthRoundTripsThroughAnIndependentDecoder) {
    std::mt19937 random(2026);
    for (int n = 0; n <= 400; ++n) {
        std::string bytes(n, '\0');
        for (char& b : bytes) b = static_cast<char>(random());
        const std::string text = Encoded(bytes);
        ASSERT_EQ(DecodeBase64(text), bytes) << n;
        const int groups = n / 3;
        ASSERT_EQ(text.size(), 4u * ((n + 2) / 3) + 2u * (groups / 19)) << n;
        ASSERT_LT(static_cast<int>(text.size()), Crypt::CBase64Codec().GetRequiredLength(n) - 1) << n;
    }
}

struct RequiredLengthCase {
    int n;
    int required;
};

class RequiredLengthTest : public ::testing::TestWithParam<RequiredLengthCase> {};

TEST_P(RequiredLengthTest, MatchesTheListedValue) {
    EXPECT_EQ(Crypt::CBase64Codec().GetRequiredLength(GetParam().n), GetParam().required);
}

INSTANTIATE_TEST_SUITE_P(Values, RequiredLengthTest,
                         ::testing::Values(RequiredLengthCase{0, 2}, RequiredLengthCase{1, 6}, RequiredLengthCase{3, 6},
                                           RequiredLengthCase{4, 10}, RequiredLengthCase{6, 10},
                                           RequiredLengthCase{56, 80}, RequiredLengthCase{57, 80},
                                           RequiredLengthCase{58, 84}, RequiredLengthCase{256, 354},
                                           RequiredLengthCase{536870911, 734665460}));

TEST_F(Base64Test, CountsWhoseLengthOverflowsAreRefusedBeforeAnyAllocation) {
    for (int n : {536870912, INT32_MAX}) {
        const long allocationsBefore = FakeHeap::allocations;
        try {
            Crypt::CBase64Codec().GetRequiredLength(n);
            ADD_FAILURE() << n;
        } catch (const COleException& e) {
            EXPECT_EQ(e.m_sc, E_FAIL);
        }
        const std::string source = "abc";
        try {
            Crypt::CBase64Codec().EncodeToString(Bytes(source), n);
            ADD_FAILURE() << n;
        } catch (const COleException& e) {
            EXPECT_EQ(e.m_sc, E_FAIL);
        }
        EXPECT_EQ(FakeHeap::allocations, allocationsBefore);
    }
}

TEST_F(Base64Test, ACapacityOfExactlyTheRequiredLengthIsEnoughAndOneLessIsNot) {
    const std::string source = Pattern(58);
    const int required = Crypt::CBase64Codec().GetRequiredLength(58);
    std::vector<char> dest(required + 8, '#');

    int length = required - 1;
    EXPECT_FALSE(Crypt::CBase64Codec().Encode(Bytes(source), 58, dest.data(), &length));
    EXPECT_EQ(length, required - 1);
    EXPECT_EQ(std::string(dest.begin(), dest.end()), std::string(dest.size(), '#'));

    length = required;
    EXPECT_TRUE(Crypt::CBase64Codec().Encode(Bytes(source), 58, dest.data(), &length));
    EXPECT_EQ(length, 82);
    EXPECT_EQ(std::string(dest.data(), length), Encoded(source));
    EXPECT_EQ(std::string(dest.begin() + required, dest.end()), std::string(8, '#'));  // nothing past the demand
}

TEST_F(Base64Test, ANullPointerGivesFalseWithoutRaisingEvenForAnOverlongCount) {
    const Crypt::CBase64Codec codec;
    const BYTE source[3] = {1, 2, 3};
    char dest[16];
    int length = sizeof dest;
    for (int n : {3, 536870912}) {
        EXPECT_FALSE(codec.Encode(nullptr, n, dest, &length));
        EXPECT_FALSE(codec.Encode(source, n, nullptr, &length));
        EXPECT_FALSE(codec.Encode(source, n, dest, nullptr));
    }
    EXPECT_EQ(length, 16);
    EXPECT_STREQ(codec.EncodeToString(nullptr, 3), "");
}

TEST_F(Base64Test, ZeroBytesEncodeToNothing) {
    const BYTE source[1] = {0};
    char dest[2];
    int length = 2;
    EXPECT_TRUE(Crypt::CBase64Codec().Encode(source, 0, dest, &length));
    EXPECT_EQ(length, 0);
}
