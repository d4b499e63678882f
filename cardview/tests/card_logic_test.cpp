#include "card_database.h"

#include "cardview/card_layout.h"
#include "cardview/converters.h"
#include "cardview/field_edit.h"

#include <gtest/gtest.h>

namespace kvilbo::cardview {
namespace {

using test::CardDatabase;

// --- repl: the stored form of each type ---

struct ReplCase {
    const char *name;
    int field;
    int spraak;
    const char *verdi;
    const char *stored;
};

class Repl : public testing::TestWithParam<ReplCase> {};

TEST_P(Repl, StoresTheTypesForm)
{
    const ReplCase &c = GetParam();
    CardDatabase db(c.spraak);
    db.open();
    db.DBF.Go(1);
    repl(db.DBF, c.field, QString::fromUtf8(c.verdi), {c.spraak, 2000});
    EXPECT_EQ(db.fieldBytes(1, c.field), c.stored);
    if (c.field != CardDatabase::kBelop)
        EXPECT_EQ(db.fieldBytes(1, CardDatabase::kBelop), "  -12.00") << "other fields keep their bytes";
}

INSTANTIATE_TEST_SUITE_P(
    Types, Repl,
    testing::Values(
        ReplCase{"CharacterPadded", CardDatabase::kNavn, 0, "Hei", "Hei       "},
        ReplCase{"CharacterCut", CardDatabase::kNavn, 0, "abcdefghijklm", "abcdefghij"},
        ReplCase{"NorwegianDecimal", CardDatabase::kMengde, 0, "1,5", "   1.5"},
        ReplCase{"EnglishDecimal", CardDatabase::kMengde, 1, "1.5", "   1.5"},
        ReplCase{"RoundsToDecimals", CardDatabase::kBelop, 0, "2,675", "    2.68"},
        ReplCase{"FloatField", CardDatabase::kVekt, 0, "-9,5", "  -9.5"},
        ReplCase{"LargestFits", CardDatabase::kAntall, 0, "9999", "9999"},
        ReplCase{"AboveLargestBlank", CardDatabase::kAntall, 0, "12345", "    "},
        ReplCase{"SmallestFits", CardDatabase::kAntall, 0, "-999", "-999"},
        ReplCase{"BelowSmallestBlank", CardDatabase::kAntall, 0, "-1000", "    "},
        ReplCase{"DecimalLargestFits", CardDatabase::kMengde, 0, "9999,9", "9999.9"},
        ReplCase{"DecimalAboveLargestBlank", CardDatabase::kMengde, 0, "10000", "      "},
        ReplCase{"DecimalSmallestFits", CardDatabase::kMengde, 0, "-999,9", "-999.9"},
        ReplCase{"DecimalBelowSmallestBlank", CardDatabase::kMengde, 0, "-1000", "      "},
        ReplCase{"EmptyNumberIsZero", CardDatabase::kAntall, 0, "", "   0"},
        ReplCase{"DateTwoDigitYear", CardDatabase::kDato, 0, "010203", "20030201"},
        ReplCase{"DateFull", CardDatabase::kDato, 0, "29.02.2004", "20040229"},
        ReplCase{"DateInvalidBlank", CardDatabase::kDato, 0, "29.02.2003", "        "},
        ReplCase{"LogicalJa", CardDatabase::kAktiv, 0, "Ja ", "T"},
        ReplCase{"LogicalYes", CardDatabase::kAktiv, 1, "yes", "T"},
        ReplCase{"LogicalNei", CardDatabase::kAktiv, 0, "Nei", "F"},
        ReplCase{"LogicalEmpty", CardDatabase::kAktiv, 0, "", "F"}),
    [](const testing::TestParamInfo<ReplCase> &info) { return std::string(info.param.name); });

TEST(ReplFailure, UnreadableNumberThrowsAndWritesNothing)
{
    CardDatabase db;
    db.open();
    const std::string before = db.fileBytes();
    EXPECT_THROW(repl(db.DBF, CardDatabase::kBelop, QStringLiteral("1-2"), {}), ConversionError);
    EXPECT_EQ(db.fileBytes(), before);
}

TEST(ReplFailure, MemoPointerIsNeverBlanked)
{
    CardDatabase db;
    db.open();
    const std::string pointer = db.fieldBytes(1, CardDatabase::kNotat);
    repl(db.DBF, CardDatabase::kNotat, QStringLiteral("x"), {});
    EXPECT_EQ(db.fieldBytes(1, CardDatabase::kNotat), pointer);
    EXPECT_EQ(db.DBF.MemoRead(CardDatabase::kNotat), "Linje 1\r\nLinje 2");
}

TEST(StoredTime, ReadsHoursMinutesSeconds)
{
    const EditOptions o;
    EXPECT_EQ(storedText('T', QStringLiteral("12:34:56"), 6, 0, o), QStringLiteral("123456"));
    EXPECT_EQ(storedText('T', QStringLiteral("23.59.59"), 6, 0, o), QStringLiteral("235959"));
    EXPECT_EQ(storedText('T', QStringLiteral("24:00:00"), 6, 0, o), QString());
    EXPECT_EQ(storedText('T', QStringLiteral("1234"), 6, 0, o), QString());
    EXPECT_EQ(storedText('T', QStringLiteral("ab:cd:ef"), 6, 0, o), QString());
}

// --- the change test ---

TEST(FieldEditLogic, WritesOnlyAChangedTextOnTheRecordAndFieldEntered)
{
    CardDatabase db;
    db.open();
    int writes = 0;
    FieldEditLogic logic(db.DBF, {});
    logic.setHooks({nullptr, [&](int, int) { ++writes; }});
    const std::string before = db.fileBytes();

    logic.StackStart(CardDatabase::kNavn, QStringLiteral("12"));
    EXPECT_FALSE(logic.StackEnd(CardDatabase::kNavn, QStringLiteral("12")));
    EXPECT_EQ(db.fileBytes(), before) << "unchanged text";

    logic.StackStart(CardDatabase::kNavn, QStringLiteral("12"));
    EXPECT_FALSE(logic.StackEnd(CardDatabase::kAntall, QStringLiteral("99"))) << "another field";
    logic.StackStart(CardDatabase::kNavn, QStringLiteral("12"));
    db.DBF.Go(2);
    EXPECT_FALSE(logic.StackEnd(CardDatabase::kNavn, QStringLiteral("99"))) << "another record";
    EXPECT_EQ(db.fileBytes(), before);
    EXPECT_EQ(writes, 0);

    db.DBF.Go(1);
    logic.StackStart(CardDatabase::kNavn, QStringLiteral("12"));
    EXPECT_EQ(CRC1(QStringLiteral("12")), CRC1(QStringLiteral("21")));
    EXPECT_EQ(logic.StackEnd(CardDatabase::kNavn, QStringLiteral("21")), QStringLiteral("21"));
    EXPECT_EQ(db.fieldBytes(1, CardDatabase::kNavn), "21        ");
    EXPECT_EQ(writes, 1);
    EXPECT_EQ(logic.FieldStack().KortNr2, 1);
    EXPECT_EQ(logic.FieldStack().Verdi, QStringLiteral("12"));
    EXPECT_EQ(logic.FieldStack().Verdi2, QStringLiteral("21"));
}

TEST(FieldEditLogic, AnotherInstancesChangeToAnotherFieldSurvives)
{
    CardDatabase db;
    db.open();
    FieldEditLogic logic(db.DBF, {});
    logic.StackStart(CardDatabase::kNavn, QStringLiteral("12"));

    engine::TDbfTable other;
    ASSERT_TRUE(other.OpenDatabase(db.path(), false, false));
    other.Go(1);
    other.Store("ANTALL", "77");
    ASSERT_TRUE(other.Write(false));
    other.closedatabase();

    logic.StackEnd(CardDatabase::kNavn, QStringLiteral("Ny"));
    EXPECT_EQ(db.fieldBytes(1, CardDatabase::kNavn), "Ny        ");
    EXPECT_EQ(db.fieldBytes(1, CardDatabase::kAntall), "  77");
}

// --- key rules ---

struct LogicalKeyCase {
    const char *name;
    char key;
    const char *text;
    int spraak;
    const char *result; // nullptr: ignored
};

class LogicalKey : public testing::TestWithParam<LogicalKeyCase> {};

TEST_P(LogicalKey, SetsTheWordOfTheLanguage)
{
    const LogicalKeyCase &c = GetParam();
    const std::optional<QString> r = logicalKeyText(QLatin1Char(c.key), QString::fromLatin1(c.text), c.spraak);
    if (c.result)
        EXPECT_EQ(r, QString::fromLatin1(c.result));
    else
        EXPECT_FALSE(r);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, LogicalKey,
    testing::Values(LogicalKeyCase{"NorwegianJ", 'j', "Nei", 0, "Ja "},
                    LogicalKeyCase{"NorwegianYIgnored", 'Y', "Nei", 0, nullptr},
                    LogicalKeyCase{"NorwegianN", 'N', "Ja ", 0, "Nei"},
                    LogicalKeyCase{"NorwegianBackspace", '\b', "Ja ", 0, "Nei"},
                    LogicalKeyCase{"NorwegianSpaceFromNei", ' ', "Nei", 0, "Ja "},
                    LogicalKeyCase{"NorwegianSpaceFromJa", ' ', "Ja ", 0, "Nei"},
                    LogicalKeyCase{"EnglishY", 'y', "No ", 1, "Yes"},
                    LogicalKeyCase{"EnglishJIgnored", 'J', "No ", 1, nullptr},
                    LogicalKeyCase{"EnglishBackspace", '\b', "Yes", 1, "No "},
                    LogicalKeyCase{"EnglishSpaceFromNo", ' ', "No ", 1, "Yes"},
                    LogicalKeyCase{"OtherKeyIgnored", 'x', "Nei", 0, nullptr}),
    [](const testing::TestParamInfo<LogicalKeyCase> &info) { return std::string(info.param.name); });

TEST(NumericKey, DigitsSeparatorAndOneLeadingMinus)
{
    const QChar comma = QLatin1Char(',');
    const QString text = QStringLiteral("   12,50");
    EXPECT_TRUE(acceptNumericKey(QLatin1Char('7'), text, 3, 0, comma));
    EXPECT_TRUE(acceptNumericKey(comma, text, 3, 0, comma));
    EXPECT_FALSE(acceptNumericKey(QLatin1Char('.'), text, 3, 0, comma));
    EXPECT_TRUE(acceptNumericKey(QLatin1Char('.'), text, 3, 0, QLatin1Char('.')));
    EXPECT_FALSE(acceptNumericKey(QLatin1Char('\b'), text, 3, 0, comma));
    EXPECT_FALSE(acceptNumericKey(QLatin1Char('a'), text, 3, 0, comma));
    EXPECT_TRUE(acceptNumericKey(QLatin1Char('-'), text, 0, 0, comma));
    EXPECT_FALSE(acceptNumericKey(QLatin1Char('-'), text, 2, 0, comma)) << "not at the start";
    EXPECT_FALSE(acceptNumericKey(QLatin1Char('-'), QStringLiteral("  -12,50"), 0, 0, comma)) << "second sign";
    EXPECT_TRUE(acceptNumericKey(QLatin1Char('-'), QStringLiteral("  -12,50"), 0, 8, comma)) << "all selected";
}

// --- the card's objects ---

TEST(CardLayout, DefaultLayoutGivesEveryFieldInOrderWithItsTabNumber)
{
    CardDatabase db;
    db.open();
    const CardLayout card = readCardLayout(db.layoutTable->FORFIL(), db.DBF);
    EXPECT_TRUE(card.hasBackground);
    EXPECT_EQ(card.background, 16777215u);
    std::vector<int> fields;
    int pictures = 0, textBoxes = 0;
    for (const CardObject &o : card.objects) {
        if (o.kind == CardObject::Kind::Field) {
            fields.push_back(o.fieldNumber);
            EXPECT_EQ(o.tabNumber, o.fieldNumber);
        }
        pictures += o.kind == CardObject::Kind::Picture;
        textBoxes += o.kind == CardObject::Kind::TextBox;
    }
    EXPECT_EQ(fields, (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8}));
    EXPECT_EQ(pictures, 1);
    EXPECT_EQ(textBoxes, 6 + 8);
    EXPECT_EQ(card.objects.front().refText.toStdString(), "[INTERNTBILDE001]");
}

TEST(CardLayout, FieldsOutsideTheTableOrWithoutIntegerNumber)
{
    CardDatabase db;
    db.open();
    db.replaceCard({test::fieldRecord(99, 10, 1), test::fieldRecord(1, 40, 2)});
    const CardLayout card = readCardLayout(db.layoutTable->FORFIL(), db.DBF);
    ASSERT_EQ(card.objects.size(), 1u);
    EXPECT_EQ(card.objects[0].fieldNumber, 1);
    EXPECT_EQ(card.objects[0].fontSize, 8) << "character field without a size";

    layout::LayoutRecord bad = test::fieldRecord(1, 70, 3);
    bad.set(layout::ObjRefNr, std::string("x1"));
    db.replaceCard({bad});
    EXPECT_THROW(readCardLayout(db.layoutTable->FORFIL(), db.DBF), LayoutValueError);
}

TEST(CardLayout, TabOrderFollowsTabNumbersAndSkipsZero)
{
    std::vector<CardObject> objects(5);
    for (CardObject &o : objects)
        o.kind = CardObject::Kind::Field;
    objects[0].tabNumber = 3;
    objects[1].tabNumber = 1;
    objects[2].tabNumber = 0;
    objects[3].kind = CardObject::Kind::TextBox;
    objects[3].tabNumber = 2;
    objects[4].tabNumber = 3; // a later field with the same number takes the slot
    EXPECT_EQ(tabOrder(objects), (std::vector<int>{1, 4}));
}

TEST(CardLayout, NumericMaskPutsTheLanguagesSeparator)
{
    EXPECT_EQ(cardEditMask('N', 10, 3, QLatin1Char(',')), QStringLiteral("!######,###;1; "));
    EXPECT_EQ(cardEditMask('N', 10, 3, QLatin1Char('.')), QStringLiteral("!######.###;1; "));
    EXPECT_EQ(cardEditMask('N', 8, 2, QLatin1Char(',')), QStringLiteral("!#####,##;1; "));
    EXPECT_EQ(cardEditMask('F', 5, 0, QLatin1Char(',')), QStringLiteral("!#####;1; "));
    EXPECT_EQ(cardEditMask('L', 1, 0, QLatin1Char(',')), QStringLiteral("ccc;1; "));
    EXPECT_EQ(cardEditMask('D', 8, 0, QLatin1Char(',')), QStringLiteral("!99.99.9999;1; "));
    EXPECT_EQ(cardEditMask('C', 8, 0, QLatin1Char(',')), QString());
}

TEST(CardLayout, ColoursAndFlags)
{
    EXPECT_EQ(colourOfText(QStringLiteral("  4227200")), 4227200u);
    EXPECT_EQ(colourOfText(QStringLiteral("abc")), 0u);
    EXPECT_EQ(colourOfText(QStringLiteral("33554431")), 0xFFFFFFu) << "low 24 bits";
    EXPECT_EQ(rgbOfColour(0x0000FFu), 0xFF0000u) << "red sits in the low byte";
    EXPECT_TRUE(flagOfText(QStringLiteral("y")));
    EXPECT_TRUE(flagOfText(QStringLiteral("Ja")));
    EXPECT_FALSE(flagOfText(QStringLiteral("F")));
    EXPECT_FALSE(flagOfText(QString()));
}

} // namespace
} // namespace kvilbo::cardview
