// Column descriptors, row keys, edit masks, key rules and field hints.
#include "cardview/edit_mask.h"
#include "listview/list_columns.h"

#include "core/messages.h"
#include "engine/dbf_format.h"

#include <gtest/gtest.h>

namespace kvilbo::listview {
namespace {

using cardview::EditMask;

engine::TdbField field(char type, int len, int des = 0)
{
    engine::TdbField f;
    f.what = type;
    f.len = static_cast<std::uint8_t>(len);
    f.places = static_cast<std::uint8_t>(des);
    return f;
}

TEST(ColumnDescriptor, TextHoldsFieldAlignmentAndSortState)
{
    EXPECT_EQ(ColumnDescriptor::forField(3, 'N').text(), "003 H X");
    EXPECT_EQ(ColumnDescriptor::forField(12, 'C').text(), "012 V X");
    EXPECT_EQ(ColumnDescriptor::forField(7, 'F').text(), "007 H X");
    ColumnDescriptor d = ColumnDescriptor::parse("045 V O");
    EXPECT_EQ(d.field, 45);
    EXPECT_EQ(d.align, 'V');
    EXPECT_EQ(d.sort, SortState::Ascending);
    EXPECT_EQ(ColumnDescriptor::parse("002 H N").sort, SortState::Descending);
    EXPECT_THROW(ColumnDescriptor::parse("0x2 H X"), std::invalid_argument);
}

TEST(RowKey, MarkFlagFourBlanksAndSevenDigits)
{
    EXPECT_EQ(rowKey(false, 42), "     0000042");
    EXPECT_EQ(rowKey(true, 42), "x    0000042");
    EXPECT_EQ(rowKey(true, 9999999), "x    9999999");
    EXPECT_EQ(recNoOfKey("x    0001234"), 1234);
    EXPECT_THROW(recNoOfKey("x    00a1234"), std::invalid_argument);
}

struct MaskCase {
    const char *name;
    engine::TdbField field;
    char sep;
    const char *mask;
};

class ListEditMask : public testing::TestWithParam<MaskCase> {};

TEST_P(ListEditMask, FollowsTheFieldType)
{
    const MaskCase &c = GetParam();
    EXPECT_EQ(listEditMask(c.field, QLatin1Char(c.sep)).toStdString(), c.mask);
}

INSTANTIATE_TEST_SUITE_P(
    Types, ListEditMask,
    testing::Values(MaskCase{"character_has_none", field('C', 20), ',', ""},
                    MaskCase{"date", field('D', 8), ',', "99.99.9999;1; "},
                    MaskCase{"number_without_decimals", field('N', 5), ',', "#####;1; "},
                    MaskCase{"number_norwegian_decimals", field('N', 8, 2), ',', "#####,99;1; "},
                    MaskCase{"float_english_decimals", field('F', 10, 3), '.', "######.999;1; "},
                    MaskCase{"logical", field('L', 1), ',', "CCC;1; "},
                    MaskCase{"memo", field('M', 10), ',', "CCCCCCCCCCCCCCCCCCCCCCCC;1; "}),
    [](const auto &info) { return std::string(info.param.name); });

struct FitCase {
    const char *name;
    const char *mask;
    const char *value;
    const char *shown;
    const char *qtMask;
};

class EditMaskFit : public testing::TestWithParam<FitCase> {};

TEST_P(EditMaskFit, ShowsValueInTheMaskAndTranslatesForQt)
{
    const FitCase &c = GetParam();
    const EditMask mask(QString::fromUtf8(c.mask));
    EXPECT_EQ(mask.fit(QString::fromUtf8(c.value)).toStdString(), c.shown);
    EXPECT_EQ(mask.qtInputMask().toStdString(), c.qtMask);
}

INSTANTIATE_TEST_SUITE_P(
    Notation, EditMaskFit,
    testing::Values(
        FitCase{"leading_blanks_push_number_right", "!#####,##;1; ", "12,50", "   12,50", "#####,##; "},
        FitCase{"without_bang_number_stays_left", "#####,99;1; ", "12,50", "12   ,50", "#####,00; "},
        FitCase{"negative_number", "!#####,##;1; ", "-3,25", "   -3,25", "#####,##; "},
        FitCase{"date", "99.99.9999;1; ", "01.02.2003", "01.02.2003", "00.00.0000; "},
        FitCase{"card_date", "!99.99.9999;1; ", "01.02.2003", "01.02.2003", "00.00.0000; "},
        FitCase{"empty_date", "99.99.9999;1; ", "  .  .    ", "  .  .    ", "00.00.0000; "},
        FitCase{"logical", "ccc;1; ", "Ja ", "Ja ", "xxx; "},
        FitCase{"required_made_optional", "CCC;1; ", "Nei", "Nei", "xxx; "},
        FitCase{"literal_letter_escaped_for_qt", "99\\h99;1;_", "12h30", "12h30", "00\\h00;_"},
        FitCase{"too_long_keeps_right_end_with_bang", "!###;1; ", "12345", "345", "###; "}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(EditMask, AcceptsByPositionKind)
{
    const EditMask mask(QStringLiteral("!#9,c;1; "));
    EXPECT_TRUE(mask.leadingBlanks());
    EXPECT_TRUE(mask.accepts(0, QLatin1Char('-')));
    EXPECT_FALSE(mask.accepts(1, QLatin1Char('-')));
    EXPECT_TRUE(mask.accepts(1, QLatin1Char(' '))); // optional positions take the blank
    EXPECT_TRUE(mask.accepts(2, QLatin1Char(',')));
    EXPECT_FALSE(mask.accepts(2, QLatin1Char('.')));
    EXPECT_TRUE(mask.accepts(3, QLatin1Char('?')));
    EXPECT_FALSE(mask.accepts(4, QLatin1Char('1')));
    EXPECT_TRUE(EditMask().isEmpty());
}

struct KeyCase {
    const char *name;
    char key;
    const char *text;
    int selStart, selLength;
    char sep;
    bool accepted;
};

class NumericKey : public testing::TestWithParam<KeyCase> {};

TEST_P(NumericKey, Rule)
{
    const KeyCase &c = GetParam();
    EXPECT_EQ(acceptNumericKey(QLatin1Char(c.key), QString::fromLatin1(c.text), c.selStart, c.selLength,
                               QLatin1Char(c.sep)),
              c.accepted);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, NumericKey,
    testing::Values(KeyCase{"digit", '7', "12", 2, 0, ',', true},
                    KeyCase{"comma_in_norwegian", ',', "12", 2, 0, ',', true},
                    KeyCase{"point_refused_in_norwegian", '.', "12", 2, 0, ',', false},
                    KeyCase{"point_in_english", '.', "12", 2, 0, '.', true},
                    KeyCase{"letter_refused", 'a', "", 0, 0, ',', false},
                    KeyCase{"backspace_refused", '\b', "12", 2, 0, ',', false},
                    KeyCase{"enter", '\r', "12", 2, 0, ',', true},
                    KeyCase{"minus_first", '-', "12", 0, 0, ',', true},
                    KeyCase{"minus_not_first", '-', "12", 1, 0, ',', false},
                    KeyCase{"minus_only_once", '-', "-12", 0, 0, ',', false},
                    KeyCase{"minus_over_whole_selection", '-', "12", 0, 2, ',', false},
                    KeyCase{"minus_over_part_selection", '-', "12", 0, 1, ',', true},
                    KeyCase{"minus_into_empty_editor", '-', "", 0, 0, ',', true}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(LogicalToggle, SpaceSwitchesTheLanguagesWords)
{
    EXPECT_EQ(toggledLogical(QStringLiteral("Nei"), 0), QStringLiteral("Ja "));
    EXPECT_EQ(toggledLogical(QStringLiteral("Ja "), 0), QStringLiteral("Nei"));
    EXPECT_EQ(toggledLogical(QStringLiteral("No "), 1), QStringLiteral("Yes"));
    EXPECT_EQ(toggledLogical(QStringLiteral("Yes"), 1), QStringLiteral("No "));
}

TEST(FieldHint, TextByTypeAndView)
{
    const core::Texts no(0);
    EXPECT_EQ(visfeltinfoTekst(field('C', 20), true, no), "Karakterfelt med maks 20 tegn");
    EXPECT_EQ(visfeltinfoTekst(field('N', 8, 2), true, no),
              "Numerisk felt med maks 8 tall inkludert 2 desimaler");
    EXPECT_EQ(visfeltinfoTekst(field('D', 8), true, no), no.ss(2013));
    EXPECT_EQ(visfeltinfoTekst(field('D', 8), false, no), no.ss(2014));
    EXPECT_EQ(visfeltinfoTekst(field('M', 4), true, no), no.ss(2011));
    EXPECT_EQ(visfeltinfoTekst(field('M', 4), false, no), no.ss(2012));
    EXPECT_EQ(visfeltinfoTekst(field('L', 1), false, core::Texts(1)), core::Texts(1).ss(2016));
}

} // namespace
} // namespace kvilbo::listview
