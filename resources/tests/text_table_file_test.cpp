#include "tsv_reader.h"

#include "engine/cp1252.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <regex>
#include <set>
#include <string>

// Checks of the text table file itself: shape, numbering, the two languages
// side by side, and that every text the windows and messages use is there.

namespace kvilbo::resources::testing {
namespace {

constexpr int kFirstNumber = 1000;
constexpr int kLastNumber = 12999;
constexpr long kMaxChars = 255;

// Every text number the program's windows, dialogs and messages use.
constexpr int kRequiredNumbers[] = {
    1000, 1001, 1002, 1003, 1100, 1101, 1102, 1103, 1104, 1105, 1106, 1200, 1201, 1202, 1203, 1204,
    1205, 1210, 1250, 1252, 1255, 1260, 1270, 1272, 1280, 1281, 1282, 1283, 1290, 1300, 1301, 1302,
    1303, 1304, 1310, 1312, 1314, 1316, 1318, 1320, 1330, 1332, 1334, 1340, 2000, 2001, 2002, 2003,
    2005, 2007, 2010, 2011, 2012, 2013, 2014, 2015, 2016, 2017, 2020, 2025, 2026, 2027, 2028, 2029,
    2030, 2032, 2033, 2034, 2035, 2036, 2037, 2040, 2050, 2055, 2056, 2060, 2065, 2066, 2070, 2071,
    2073, 2074, 2075, 2077, 2080, 2081, 2083, 2085, 2086, 2087, 2088, 2089, 2090, 2092, 2093, 2094,
    2095, 2096, 2097, 2098, 2100, 2101, 2105, 2106, 2107, 2108, 2109, 2110, 2111, 2200, 2201, 2202,
    2203, 2204, 2205, 2206, 2300, 2301, 2303, 2304, 2306, 2308, 2309, 2400, 2401, 2402, 2403, 2404,
    2405, 2406, 2407, 2410, 2411, 2500, 2510, 2600, 2700, 2710, 2712, 2714, 2716, 2718, 2720, 2721,
    2730, 2800, 2801, 2802, 2803, 2804, 2805, 2806, 2807, 2808, 2809, 2810, 2811, 2812, 2813, 2814,
    2815, 2816, 2817, 2818, 2819, 2820, 2830, 2840, 2841, 2850, 2851, 2852, 2900, 3000, 3013, 4000,
    4001, 4004, 4005, 4007, 4008, 4009, 4010, 4020, 4021, 4030, 4050, 4051, 4052, 4054, 4056, 4060,
    4061, 4070, 4080, 4082, 5000, 5009, 5010, 5011, 5012, 5013, 5014, 5015, 5016, 5020, 5100, 5101,
    5104, 5107, 5109, 5112, 5114, 6000, 6010, 6012, 6100, 6102, 7010, 7012, 7015, 7016, 7020, 7021,
    7022, 7023, 7025, 7030, 7031, 7040, 7041, 7070, 7071, 7072, 7080, 7081, 7082, 7083, 7084, 7085,
    7086, 7100, 7102, 7105, 7200, 7210, 7220, 7230, 8000, 9000, 9020, 9021, 9025, 9026, 9028, 9030,
    9032, 9034, 9036, 9040, 9042, 9044, 9046, 9050, 9060, 9061, 9062, 9100, 9110, 9200, 9210, 9300,
    9310, 9320, 9330, 9400, 10010, 10020, 10021, 10030, 10031, 10040, 10050, 10060, 10100, 11000,
    11010, 11012, 11014, 11020, 11021, 11022, 11034, 11036, 11038, 11040, 11041, 11042, 11043,
    11044, 11045, 11046, 11047, 11050, 11052, 11105, 11106, 11107, 11110, 11111, 11113, 11115,
    11117, 11120, 11121, 11130, 11145, 11146, 11147, 11200, 11202, 11204, 11210, 11212, 11214,
    11300, 11310, 11312, 11314, 11316, 11318, 11320, 11322, 11324, 11400, 11500, 11510, 11520,
    11530, 11540, 11541, 11542, 11612, 11614, 11615, 11620, 11622, 11640, 11645, 11651, 11652,
    11660, 11662, 11670, 11672, 11680, 11690, 11692, 11693, 11694, 11697, 11698, 12000, 12005,
    12007, 12009, 12011, 12015, 12020, 12023, 12030, 12040, 12050, 12100, 12105, 12110, 12115,
    12117, 12119, 12120, 12122, 12124, 12125, 12127, 12130, 12132, 12134, 12135, 12138, 12140,
    12150, 12200, 12210, 12212, 12214, 12216, 12220, 12222, 12224, 12230, 12232, 12234, 12240,
    12242, 12245, 12300, 12305, 12307, 12310, 12312, 12320, 12322, 12324, 12326, 12400, 12405,
    12406, 12407, 12410, 12412, 12420, 12422, 12424, 12500, 12505, 12510, 12515, 12517, 12520,
    12522, 12524, 12526, 12528, 12600, 12602, 12610, 12612, 12613, 12614, 12615, 12616, 12617,
    12618, 12619, 12620, 12700, 12705, 12711, 12712, 12713, 12714, 12900
};

const TsvContents &table()
{
    static const TsvContents contents = parseTsv(readFile(KVILBO_TEXTS_FILE));
    return contents;
}

std::string where(const TsvEntry &entry)
{
    return "text " + std::to_string(entry.number) + " (line " + std::to_string(entry.line) + ")";
}

std::set<std::string> placeholders(const std::string &text)
{
    static const std::regex placeholder(R"(%\d+:[sd])");
    std::set<std::string> found;
    for (std::sregex_iterator it(text.begin(), text.end(), placeholder), end; it != end; ++it)
        found.insert(it->str());
    return found;
}

// A "%" followed by a digit must start a whole "%N:s" or "%N:d".
bool placeholdersWellFormed(const std::string &text)
{
    static const std::regex broken(R"(%\d+(?!\d*:[sd]))");
    return !std::regex_search(text, broken);
}

bool blank(const std::string &text)
{
    return text.find_first_not_of(" \t\n") == std::string::npos;
}

TEST(TextTableFile, EveryLineParses)
{
    for (const auto &error : table().errors)
        ADD_FAILURE() << error;
    EXPECT_GT(table().entries.size(), 400u);
}

TEST(TextTableFile, NumbersAreInRangeUniqueAndAscending)
{
    std::map<int, int> firstLine;
    int previous = 0;
    for (const auto &entry : table().entries) {
        EXPECT_GE(entry.number, kFirstNumber) << where(entry);
        EXPECT_LE(entry.number, kLastNumber) << where(entry);
        const auto [it, inserted] = firstLine.emplace(entry.number, entry.line);
        EXPECT_TRUE(inserted) << where(entry) << " repeats line " << it->second;
        EXPECT_GT(entry.number, previous) << where(entry) << " is out of order";
        previous = entry.number;
    }
}

TEST(TextTableFile, BothLanguagesHoldText)
{
    for (const auto &entry : table().entries) {
        EXPECT_FALSE(blank(entry.norwegian)) << where(entry) << ": Norwegian is empty";
        EXPECT_FALSE(blank(entry.english)) << where(entry) << ": English is empty";
    }
}

TEST(TextTableFile, PlaceholdersAgreeBetweenLanguages)
{
    for (const auto &entry : table().entries) {
        EXPECT_TRUE(placeholdersWellFormed(entry.norwegian)) << where(entry) << ": " << entry.norwegian;
        EXPECT_TRUE(placeholdersWellFormed(entry.english)) << where(entry) << ": " << entry.english;
        EXPECT_EQ(placeholders(entry.norwegian), placeholders(entry.english))
            << where(entry) << ": " << entry.norwegian << " / " << entry.english;
    }
}

TEST(TextTableFile, TextsAreUtf8AndFitTheLookupLimit)
{
    for (const auto &entry : table().entries) {
        for (const auto *text : {&entry.norwegian, &entry.english}) {
            const long chars = utf8Length(*text);
            EXPECT_GE(chars, 0) << where(entry) << " is not valid UTF-8";
            EXPECT_LE(chars, kMaxChars) << where(entry) << " is longer than a lookup returns";
        }
    }
}

// Texts go into the log, layout and print files in Windows-1252.
TEST(TextTableFile, TextsSurviveWindows1252)
{
    for (const auto &entry : table().entries) {
        for (const auto *text : {&entry.norwegian, &entry.english})
            EXPECT_EQ(engine::fromCp1252(engine::toCp1252(*text)), *text) << where(entry);
    }
}

TEST(TextTableFile, HoldsEveryTextTheProgramUses)
{
    std::set<int> present;
    for (const auto &entry : table().entries)
        present.insert(entry.number);
    for (const int number : kRequiredNumbers)
        EXPECT_TRUE(present.count(number)) << "text " << number << " is missing";
}

TEST(TextTableFile, ReaderCatchesBrokenLines)
{
    const auto contents = parseTsv("# comment\n\n2000\tJa\tYes\n2001\tbare norsk\n20x2\ta\tb\n"
                                   "2003\ta\\q\tb\n2004\ta\tb\tc\n2005\tlinje\\nto\tline\\\\two\n");
    ASSERT_EQ(contents.entries.size(), 2u);
    EXPECT_EQ(contents.entries[0].line, 3);
    EXPECT_EQ(contents.entries[1].norwegian, "linje\nto");
    EXPECT_EQ(contents.entries[1].english, "line\\two");
    EXPECT_EQ(contents.errors.size(), 4u);
}

} // namespace
} // namespace kvilbo::resources::testing
