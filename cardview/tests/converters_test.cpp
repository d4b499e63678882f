#include "cardview/converters.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}

namespace kvilbo::cardview {
namespace {

const QString kEmpty = QStringLiteral("  .  .    ");

struct DateCase {
    std::string name;
    const char* input;
    int century;
    const char* expected; // nullptr: the empty date form
};

class FreshDateTest : public testing::TestWithParam<DateCase> {};

TEST_P(FreshDateTest, normalisesOrRejects)
{
    const DateCase& c = GetParam();
    const QString expected = c.expected ? QString::fromLatin1(c.expected) : kEmpty;
    EXPECT_EQ(FreshDate(QString::fromLatin1(c.input), c.century), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Forms, FreshDateTest,
    testing::Values(
        DateCase{"SixDigitsAddCenturyBase", "010203", 2000, "01.02.2003"},
        DateCase{"SixDigitsOtherCenturyBase", "010203", 1900, "01.02.1903"},
        DateCase{"EightDigitsFourDigitYear", "05032015", 2000, "05.03.2015"},
        DateCase{"DottedTwoDigitYear", "05.03.15", 2000, "05.03.2015"},
        DateCase{"DottedFourDigitYear", "05.03.2015", 2000, "05.03.2015"},
        DateCase{"SurroundingBlanksTrimmed", "  05.03.2015 ", 2000, "05.03.2015"},
        DateCase{"BlankInsidePartIgnored", "05.3 .2015", 2000, "05.03.2015"},
        DateCase{"LeapYearDivisibleBy400", "29.02.2000", 2000, "29.02.2000"},
        DateCase{"LeapYearDivisibleBy4", "29.02.2004", 2000, "29.02.2004"},
        DateCase{"CenturyNotLeap", "29.02.1900", 2000, nullptr},
        DateCase{"CommonYearFebruary", "29.02.2003", 2000, nullptr},
        DateCase{"FebruaryTwentyEighth", "28.02.2003", 2000, "28.02.2003"},
        DateCase{"ThirtyDayMonthOverflow", "31.04.2010", 2000, nullptr},
        DateCase{"ThirtyOneDayMonth", "31.08.2010", 2000, "31.08.2010"},
        DateCase{"FirstYearInRange", "01.01.1900", 2000, "01.01.1900"},
        DateCase{"YearBeforeRange", "31.12.1899", 2000, nullptr},
        DateCase{"LastYearInRange", "31.12.2178", 2000, "31.12.2178"},
        DateCase{"YearAfterRange", "31.12.2179", 2000, nullptr},
        DateCase{"CenturyBasePushesPastRange", "010180", 2100, nullptr},
        DateCase{"DayZero", "00.01.2010", 2000, nullptr},
        DateCase{"MonthThirteen", "01.13.2010", 2000, nullptr},
        DateCase{"EmptyText", "", 2000, nullptr},
        DateCase{"StoredBlankDateRearranged", "  .  .    ", 2000, nullptr},
        DateCase{"SevenCharacters", "0102030", 2000, nullptr},
        DateCase{"SixCharactersWithDot", "01.203", 2000, nullptr},
        DateCase{"LettersInDay", "ab.03.2015", 2000, nullptr},
        DateCase{"SignedYearIsNotAYear", "0101-1", 2000, nullptr},
        DateCase{"LettersInTwoDigitYear", "0101ab", 2000, nullptr},
        DateCase{"TwoDigitYearZero", "010100", 2000, "01.01.2000"}),
    [](const testing::TestParamInfo<DateCase>& info) { return info.param.name; });

struct NumCase {
    std::string name;
    const char* input;
    int length;
    int decimals;
    int spraak;
    const char* expected;
};

class FreshNumTest : public testing::TestWithParam<NumCase> {};

TEST_P(FreshNumTest, formatsForLanguage)
{
    const NumCase& c = GetParam();
    EXPECT_EQ(FreshNum(QString::fromLatin1(c.input), c.length, c.decimals, c.spraak),
              QString::fromLatin1(c.expected));
}

INSTANTIATE_TEST_SUITE_P(
    Numbers, FreshNumTest,
    testing::Values(
        NumCase{"NorwegianDecimalsPadded", "12,5", 8, 2, kNorsk, "12,50"},
        NumCase{"NorwegianPointBecomesComma", "12.5", 8, 2, kNorsk, "12,50"},
        NumCase{"EnglishDecimalsPadded", "12.5", 8, 2, kEngelsk, "12.50"},
        NumCase{"EnglishCommaBecomesPoint", "12,5", 8, 2, kEngelsk, "12.50"},
        NumCase{"BlanksInsideRemoved", " 1 250 ", 8, 0, kNorsk, "1250"},
        NumCase{"EmptyIsZero", "", 6, 0, kNorsk, "0"},
        NumCase{"BlankIsZeroWithDecimals", "   ", 6, 1, kNorsk, "0,0"},
        NumCase{"MandatoryIntegerDigit", ",5", 6, 2, kNorsk, "0,50"},
        NumCase{"NoDecimalsGeneralFormKeepsFraction", "12,5", 4, 0, kNorsk, "12,5"},
        NumCase{"NoDecimalsGeneralFormEnglish", "12.5", 4, 0, kEngelsk, "12.5"},
        NumCase{"NoDecimalsTrailingZerosDropped", "1250,000", 8, 0, kNorsk, "1250"},
        NumCase{"RoundsHalfAwayFromZero", "2,675", 8, 2, kNorsk, "2,68"},
        NumCase{"RoundsNegativeHalfAwayFromZero", "-2,675", 8, 2, kNorsk, "-2,68"},
        NumCase{"RoundingCarriesIntoIntegerPart", "9,996", 8, 2, kNorsk, "10,00"},
        NumCase{"RoundsDown", "1,234", 8, 2, kNorsk, "1,23"},
        NumCase{"NegativeValue", "-999", 4, 0, kNorsk, "-999"},
        NumCase{"PlusSignAccepted", "+7", 4, 0, kNorsk, "7"},
        NumCase{"TrailingSeparatorAccepted", "5,", 6, 2, kNorsk, "5,00"},
        NumCase{"ManyDecimalsWithoutBinaryNoise", "0.1", 20, 15, kEngelsk, "0.100000000000000"},
        NumCase{"TinyNegativeRoundsToUnsignedZero", "-0,001", 6, 2, kNorsk, "0,00"},
        NumCase{"NegativeZero", "-0", 4, 0, kNorsk, "0"},
        NumCase{"SmallFractionShownFixed", "0,00001", 10, 0, kNorsk, "0,00001"},
        NumCase{"VerySmallFractionExponent", "0,000001", 10, 0, kNorsk, "1E-6"},
        NumCase{"ExponentInput", "1,5e3", 10, 0, kNorsk, "1500"},
        NumCase{"LargeValueExponent", "1,5e20", 20, 0, kEngelsk, "1.5E20"},
        NumCase{"NoThousandsSeparator", "1234567,891", 12, 2, kNorsk, "1234567,89"}),
    [](const testing::TestParamInfo<NumCase>& info) { return info.param.name; });

TEST(FreshNumErrors, unreadableNumbersThrowConversionErrorWithTheInput)
{
    const struct {
        const char* text;
        int spraak;
    } bad[] = {{"1-2", kNorsk}, {"abc", kNorsk}, {"1,2,3", kNorsk}, {"1.234,5", kNorsk},
               {"1,234.5", kEngelsk}, {"inf", kEngelsk}, {"nan", kNorsk}, {"1e999", kEngelsk},
               {"--1", kNorsk}, {",", kNorsk}, {"12a", kEngelsk},
               {"\xD9\xA1\xD9\xA2", kNorsk}};
    for (const auto& b : bad) {
        SCOPED_TRACE(b.text);
        try {
            FreshNum(QString::fromUtf8(b.text), 10, 2, b.spraak);
            ADD_FAILURE() << "no ConversionError";
        } catch (const ConversionError& e) {
            EXPECT_EQ(e.input(), QString::fromUtf8(b.text));
            EXPECT_NE(std::string(e.what()).find(b.text), std::string::npos);
        }
    }
}

TEST(FreshLog, yesForJTYInEitherCaseAndNoOtherwise)
{
    const struct {
        const char* input;
        const char* norsk;
        const char* english;
    } cases[] = {{"", "Nei", "No "},      {"true", "Ja ", "Yes"}, {"T", "Ja ", "Yes"},
                 {"j", "Ja ", "Yes"},     {"Y", "Ja ", "Yes"},    {"F", "Nei", "No "},
                 {"Nei", "Nei", "No "},   {" T", "Nei", "No "},   {"no", "Nei", "No "}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.input);
        EXPECT_EQ(FreshLog(QString::fromLatin1(c.input), kNorsk), QString::fromLatin1(c.norsk));
        EXPECT_EQ(FreshLog(QString::fromLatin1(c.input), kEngelsk), QString::fromLatin1(c.english));
    }
}

TEST(DeleteSpaces, removesOnlyCharacter32)
{
    EXPECT_EQ(DeleteSpaces(QStringLiteral(" a b\tc  ")), QStringLiteral("ab\tc"));
    EXPECT_EQ(DeleteSpaces(QString()), QString());
}

TEST(CRC1, sumsCodeUnitsSoReorderedTextsCollide)
{
    EXPECT_EQ(CRC1(QString()), 0);
    EXPECT_EQ(CRC1(QStringLiteral("12")), 49 + 50);
    EXPECT_EQ(CRC1(QStringLiteral("12")), CRC1(QStringLiteral("21")));
    EXPECT_EQ(CRC1(QString::fromUtf8("\xC3\xB8")), 0xF8);
    EXPECT_EQ(CRC1(QString::fromUtf8("\xF0\x9F\x98\x80")), 0xD83D + 0xDE00);
}

TEST(CRC1, wrapsAtThirtyTwoBitsInsteadOfOverflowing)
{
    const QString big(70000, QChar(0xFFFF));
    EXPECT_EQ(CRC1(big), static_cast<qint32>(70000u * 0xFFFFu));
}

} // namespace
} // namespace kvilbo::cardview
