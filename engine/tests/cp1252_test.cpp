#include "engine/cp1252.h"

#include <gtest/gtest.h>

using namespace kvilbo::engine;

namespace {

struct CodecCase {
    const char *name;
    std::string utf8;
    std::string cp1252;
};

class Cp1252RoundTrip : public ::testing::TestWithParam<CodecCase> {};

TEST_P(Cp1252RoundTrip, EncodesAndDecodes)
{
    const auto &c = GetParam();
    EXPECT_EQ(toCp1252(c.utf8), c.cp1252);
    EXPECT_EQ(fromCp1252(c.cp1252), c.utf8);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, Cp1252RoundTrip,
    ::testing::Values(
        CodecCase{"ascii", "Kari Nordmann 12", "Kari Nordmann 12"},
        CodecCase{"norwegian", "\xC3\xA6\xC3\xB8\xC3\xA5\xC3\x86\xC3\x98\xC3\x85", "\xE6\xF8\xE5\xC6\xD8\xC5"},
        CodecCase{"euroAndQuotes", "\xE2\x82\xAC \xE2\x80\x9C" "a" "\xE2\x80\x9D", "\x80 \x93" "a" "\x94"},
        CodecCase{"empty", "", ""}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(Cp1252, UnrepresentableCharactersBecomeQuestionMarks)
{
    EXPECT_EQ(toCp1252("a\xE2\x88\x9E" "b"), "a?b");        // infinity sign
    EXPECT_EQ(toCp1252("\xF0\x9F\x98\x80"), "?");            // emoji, four bytes
    EXPECT_EQ(toCp1252("\xE2\x82"), "??");                   // truncated sequence
    EXPECT_EQ(toCp1252("\xFF" "x"), "?x");                    // stray byte
}

TEST(Cp1252, UnassignedBytesDecodeToReplacementCharacter)
{
    EXPECT_EQ(fromCp1252("\x81"), "\xEF\xBF\xBD");
}

// Code points of 0x80..0x9F written out here independently of the codec's own
// table; 0 marks the five bytes that have none.
constexpr char32_t kExpectedHigh[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

std::string utf8(char32_t cp)
{
    std::string s;
    if (cp < 0x80) {
        s += static_cast<char>(cp);
    } else if (cp < 0x800) {
        s += static_cast<char>(0xC0 | (cp >> 6));
        s += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        s += static_cast<char>(0xE0 | (cp >> 12));
        s += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        s += static_cast<char>(0x80 | (cp & 0x3F));
    }
    return s;
}

TEST(Cp1252, EveryByteDecodesAndAssignedOnesRoundTrip)
{
    std::string allBytes;
    std::string allExpected;
    for (int b = 0; b < 256; ++b) {
        const char32_t high = (b >= 0x80 && b < 0xA0) ? kExpectedHigh[b - 0x80] : 0;
        const bool assigned = !(b >= 0x80 && b < 0xA0) || high != 0;
        const std::string expected = utf8(b >= 0x80 && b < 0xA0 ? (assigned ? high : 0xFFFD) : b);
        const std::string byte(1, static_cast<char>(b));
        EXPECT_EQ(fromCp1252(byte), expected) << "byte " << b;
        // The same byte inside ASCII text on both sides, past the eight-byte steps.
        EXPECT_EQ(fromCp1252("abcdefghi" + byte + "jklmnopqr"), "abcdefghi" + expected + "jklmnopqr")
            << "byte " << b;
        if (assigned)
            EXPECT_EQ(toCp1252(expected), byte) << "byte " << b;
        allBytes += byte;
        allExpected += expected;
    }
    EXPECT_EQ(fromCp1252(allBytes), allExpected);
    // Non-ASCII bytes at every place within and across eight-byte steps.
    for (std::size_t at = 0; at < 17; ++at) {
        for (std::size_t second = at; second < 17; ++second) {
            std::string bytes(17, 'k');
            std::string expected = "kkkkkkkkkkkkkkkkk";
            bytes[at] = '\xE6';
            expected.replace(at, 1, "\xC3\xA6");
            if (second != at) {
                bytes[second] = '\x80';
                expected.replace(second + 1, 1, "\xE2\x82\xAC");
            }
            EXPECT_EQ(fromCp1252(bytes), expected) << "at " << at << " and " << second;
        }
    }
    // Long texts (memos) as well as field-sized ones.
    EXPECT_EQ(fromCp1252("x" + allBytes + allBytes + allBytes), "x" + allExpected + allExpected + allExpected);
}

} // namespace
