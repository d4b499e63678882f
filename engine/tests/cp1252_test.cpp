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

} // namespace
