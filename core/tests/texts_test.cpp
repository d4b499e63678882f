#include "core/messages.h"

#include <gtest/gtest.h>

#include <string>

using namespace kvilbo::core;

namespace {

const TextTable &sampleTable()
{
    static const TextTable table = TextTable::parse(
        "\xEF\xBB\xBF# comment line\n"
        "\n"
        "2089\tKonfigurasjonsfil mangler\tConfiguration file is missing\r\n"
        "2106\tVelkommen til Kvilbo, versjon %0:s\tWelcome To Kvilbo, version %0:s\n"
        "4000\tLinje 1\\nLinje 2\\tinnrykk \\\\ slutt\tLine 1\\nLine 2\n"
        "12999\t\xC3\xB8\tlast\n"
        "1000\t" + std::string(300, 'a') + "\tx\n");
    return table;
}

TEST(TextTableParse, ReadsPairsEscapesAndLineEnds)
{
    const TextTable &t = sampleTable();
    EXPECT_TRUE(t.errors().empty());
    EXPECT_EQ(t.size(), 10u);
    ASSERT_NE(t.find(2089), nullptr);
    EXPECT_EQ(*t.find(2089), "Konfigurasjonsfil mangler");
    EXPECT_EQ(*t.find(32089), "Configuration file is missing");
    EXPECT_EQ(*t.find(4000), "Linje 1\nLinje 2\tinnrykk \\ slutt");
    EXPECT_EQ(*t.find(42999), "last");
    EXPECT_EQ(t.find(2090), nullptr);
}

struct BadLineCase {
    const char *name;
    const char *line;
    const char *reason;
};

class TextTableBadLine : public ::testing::TestWithParam<BadLineCase> {};

TEST_P(TextTableBadLine, IsSkippedWithItsLineNumberAndTheRestLoads)
{
    const TextTable t = TextTable::parse(std::string("2000\tA\tB\n") + GetParam().line + "\n2001\tC\tD\n");
    ASSERT_EQ(t.errors().size(), 1u);
    EXPECT_NE(t.errors()[0].find("line 2:"), std::string::npos) << t.errors()[0];
    EXPECT_NE(t.errors()[0].find(GetParam().reason), std::string::npos) << t.errors()[0];
    EXPECT_NE(t.find(2000), nullptr);
    EXPECT_NE(t.find(32001), nullptr);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, TextTableBadLine,
    ::testing::Values(BadLineCase{"missingEnglish", "2002\tBare norsk", "3 tab-separated"},
                      BadLineCase{"extraField", "2002\tA\tB\tC", "3 tab-separated"},
                      BadLineCase{"notANumber", "20x2\tA\tB", "not a number"},
                      BadLineCase{"englishNumber", "32002\tA\tB", "outside"},
                      BadLineCase{"belowRange", "999\tA\tB", "outside"},
                      BadLineCase{"duplicate", "2000\tA\tB", "twice"},
                      BadLineCase{"unknownEscape", "2002\tA\\x\tB", "escape"},
                      BadLineCase{"danglingBackslash", "2002\tA\tB\\", "escape"}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(TextsLookup, FollowsTheLanguageAndTheRangeRule)
{
    Texts no(0, sampleTable());
    Texts en(1, sampleTable());
    EXPECT_EQ(no.ss(2089), "Konfigurasjonsfil mangler");
    EXPECT_EQ(en.ss(2089), "Configuration file is missing");
    EXPECT_EQ(no.ss(32089), "Configuration file is missing"); // the range admits English numbers
    EXPECT_EQ(no.ss(999), "");
    EXPECT_EQ(no.ss(64001), "");
    EXPECT_EQ(en.ss(34001), "");       // 64001 after the language offset
    EXPECT_EQ(no.ss(2090), "");        // in range, no text
    en.setSpraak(0);
    EXPECT_EQ(en.ss(2089), "Konfigurasjonsfil mangler");
}

TEST(TextsLookup, CutsTextsAfter255Characters)
{
    Texts no(0, sampleTable());
    EXPECT_EQ(no.ss(1000), std::string(255, 'a'));
    // Two-byte characters are counted as characters and never split.
    const TextTable t = TextTable::parse("1001\t" + [] {
        std::string s;
        for (int i = 0; i < 300; ++i)
            s += "\xC3\xB8";
        return s;
    }() + "\tx\n");
    const std::string cut = Texts(0, t).ss(1001);
    EXPECT_EQ(cut.size(), 255u * 2);
    EXPECT_EQ(cut.substr(cut.size() - 2), "\xC3\xB8");
}

TEST(TextsLookup, FillsPlaceholders)
{
    EXPECT_EQ(Texts(1, sampleTable()).ss(2106, {"2.0"}), "Welcome To Kvilbo, version 2.0");
}

TEST(TextsLookup, BuiltInTableIsCompiledIn)
{
    const TextTable &t = TextTable::builtIn();
    for (const std::string &error : t.errors())
        ADD_FAILURE() << "texts.tsv " << error;
    ASSERT_NE(t.find(2056), nullptr);
    EXPECT_EQ(*t.find(2056), std::string(kProgramStart));
    EXPECT_EQ(Texts(1, t).ss(2055), "***PROGRAM END***");
}

struct FormatCase {
    const char *name;
    const char *pattern;
    std::string expected;
};

class FormatTextCases : public ::testing::TestWithParam<FormatCase> {};

TEST_P(FormatTextCases, FillsFromTheArguments)
{
    EXPECT_EQ(formatText(GetParam().pattern, {"KUNDER.DBF", 42}), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Patterns, FormatTextCases,
    ::testing::Values(FormatCase{"indexedText", "Fil %0:s har %1:d kort", "Fil KUNDER.DBF har 42 kort"},
                      FormatCase{"reversed", "%1:d/%0:s", "42/KUNDER.DBF"},
                      FormatCase{"repeated", "%0:s %0:s", "KUNDER.DBF KUNDER.DBF"},
                      FormatCase{"sequential", "%s=%d", "KUNDER.DBF=42"},
                      FormatCase{"sequentialAfterIndexed", "%0:s %s", "KUNDER.DBF 42"},
                      FormatCase{"percent", "100%% %1:d", "100% 42"},
                      FormatCase{"missingArgumentStays", "%2:s!", "%2:s!"},
                      FormatCase{"unknownKindStays", "%0:x %q", "%0:x %q"},
                      FormatCase{"trailingPercent", "50%", "50%"},
                      FormatCase{"noPlaceholders", "FEILMELDING->'", "FEILMELDING->'"}),
    [](const auto &info) { return std::string(info.param.name); });

struct ByteSizeCase {
    const char *name;
    std::int64_t bytes;
    const char *norwegian;
    const char *english;
};

class ByteSize : public ::testing::TestWithParam<ByteSizeCase> {};

TEST_P(ByteSize, ShowsAtMostTwoDecimalsInTheUsersSeparator)
{
    EXPECT_EQ(Texts(0, sampleTable()).FormatByteSize(GetParam().bytes), GetParam().norwegian);
    EXPECT_EQ(Texts(1, sampleTable()).FormatByteSize(GetParam().bytes), GetParam().english);
}

INSTANTIATE_TEST_SUITE_P(
    Sizes, ByteSize,
    ::testing::Values(ByteSizeCase{"zero", 0, "0 bytes", "0 bytes"},
                      ByteSizeCase{"exactlyOneKilo", 1024, "1024 bytes", "1024 bytes"},
                      ByteSizeCase{"justAboveOneKilo", 1025, "1 KB", "1 KB"},
                      ByteSizeCase{"halfKilo", 1536, "1,5 KB", "1.5 KB"},
                      ByteSizeCase{"roundedUp", 1048575, "1024 KB", "1024 KB"},
                      ByteSizeCase{"exactlyOneMega", 1048576, "1024 KB", "1024 KB"},
                      ByteSizeCase{"twoDecimals", 1258291, "1,2 MB", "1.2 MB"},
                      ByteSizeCase{"mega", 3460300, "3,3 MB", "3.3 MB"},
                      ByteSizeCase{"giga", 5000000000LL, "4,66 GB", "4.66 GB"}),
    [](const auto &info) { return std::string(info.param.name); });

} // namespace
