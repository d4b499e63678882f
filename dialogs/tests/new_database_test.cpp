#include "core/config.h"
#include "dialogs/new_database.h"
#include "engine/dbf_table.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

namespace kvilbo::dialogs {
namespace {

namespace fs = std::filesystem;
using K = FieldKind;

std::string readBytes(const fs::path &file)
{
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void writeBytes(const fs::path &file, const std::string &bytes)
{
    std::ofstream(file, std::ios::binary) << bytes;
}

std::uint32_t le(const std::string &b, std::size_t at, int n)
{
    std::uint32_t v = 0;
    for (int i = n - 1; i >= 0; --i)
        v = (v << 8) | static_cast<unsigned char>(b[at + static_cast<std::size_t>(i)]);
    return v;
}

const auto kNever = [](const std::string &) -> bool {
    ADD_FAILURE() << "the overwrite question must not be asked";
    return false;
};

struct CheckCase
{
    const char *behaviour;
    std::vector<FieldRow> rows;
    int message;
};

class FieldChecks : public ::testing::TestWithParam<CheckCase> {};

TEST_P(FieldChecks, GiveTheLastFailingMessage)
{
    EXPECT_EQ(checkFields(GetParam().rows), GetParam().message);
}

INSTANTIATE_TEST_SUITE_P(
    Wizard, FieldChecks,
    ::testing::Values(
        CheckCase{"valid_list", {{"NAVN", K::Karakter, 30, 0}, {"BELOP", K::Numerisk, 10, 2}}, 0},
        CheckCase{"two_unnamed_rows", {{"UTEN_NAVN", K::Karakter, 100, 0}, {"UTEN_NAVN", K::Karakter, 100, 0}}, 4056},
        CheckCase{"numeric_decimals_fill_length", {{"TALL", K::Numerisk, 5, 5}}, 4052},
        CheckCase{"numeric_one_digit_before_decimals", {{"TALL", K::Numerisk, 5, 4}}, 0},
        CheckCase{"float_decimals_fill_length", {{"TALL", K::Float, 3, 3}}, 4052},
        CheckCase{"leading_underscore", {{"_NAVN", K::Karakter, 10, 0}}, 4051},
        CheckCase{"blank_name", {{"", K::Karakter, 10, 0}}, 4054},
        CheckCase{"blank_wins_over_underscore", {{"_A", K::Karakter, 10, 0}, {"", K::Dato, 8, 0}}, 4054},
        CheckCase{"duplicate_wins_over_decimals", {{"A", K::Numerisk, 2, 2}, {"A", K::Numerisk, 2, 2}}, 4056}),
    [](const auto &info) { return std::string(info.param.behaviour); });

TEST(FieldRows, NameFilterKeepsLettersDigitsUnderscoreInUpperCaseUpToTen)
{
    EXPECT_EQ(filterFieldName("navn 1"), "NAVN1");
    EXPECT_EQ(filterFieldName("a_b-c.d"), "A_BCD");
    EXPECT_EQ(filterFieldName("abcdefghijkl"), "ABCDEFGHIJ");
    EXPECT_EQ(filterFieldName("s\xC3\xB8k"), "SK");
}

TEST(FieldRows, TypeLetterComesFromTheFirstLetterInBothLanguages)
{
    for (const auto &[text, letter] : std::vector<std::pair<std::string, char>>{
             {"Karakter", 'C'}, {"Character", 'C'}, {"Numerisk", 'N'}, {"Logisk", 'L'}, {"Dato", 'D'},
             {"Date", 'D'}, {"Editor", 'M'}, {"Memo", 'M'}, {"Float", 'F'}, {"", 0}, {"Xyz", 0}})
        EXPECT_EQ(typeLetterOf(text), letter) << text;
}

TEST(FieldRows, ChoosingAKindAppliesItsLengthAndDecimalRules)
{
    const FieldRow start{"A", K::Karakter, 100, 0};
    EXPECT_EQ(start.withKind(K::Numerisk).length, 18);
    EXPECT_EQ(start.withKind(K::Logisk).length, 1);
    EXPECT_EQ(start.withKind(K::Dato).length, 8);
    EXPECT_EQ(start.withKind(K::Editor).length, 4);
    const FieldRow numeric{"A", K::Numerisk, 12, 3};
    EXPECT_EQ(numeric.withKind(K::Float).decimals, 3);
    EXPECT_EQ(numeric.withKind(K::Karakter).decimals, 0);
    EXPECT_EQ(numeric.withKind(K::Karakter).length, 12);
    EXPECT_EQ(numeric.withKind(K::Dato).decimals, 0);
}

TEST(FieldRows, DraggedRowsGoBeforeTheTargetOrToTheEnd)
{
    const std::vector<FieldRow> rows{{"A"}, {"B"}, {"C"}, {"D"}};
    const auto names = [](const std::vector<FieldRow> &r) {
        std::string s;
        for (const auto &row : r)
            s += row.name;
        return s;
    };
    EXPECT_EQ(names(moveRows(rows, {3}, 0)), "DABC");
    EXPECT_EQ(names(moveRows(rows, {0}, 2)), "BACD");
    EXPECT_EQ(names(moveRows(rows, {0}, 4)), "BCDA");
    EXPECT_EQ(names(moveRows(rows, {0, 2}, 4)), "BDAC");
    EXPECT_EQ(names(moveRows(rows, {1}, 1)), "ABCD");
}

TEST(WizardFiles, ChosenNameWithoutExtensionGetsDbf)
{
    EXPECT_EQ(withTableExtension("/data/kunder"), "/data/kunder.DBF");
    EXPECT_EQ(withTableExtension("/data/kunder.dbf"), "/data/kunder.dbf");
    EXPECT_EQ(withTableExtension("/data.d/kunder"), "/data.d/kunder.DBF");
}

TEST(WizardFiles, DialogStartsInTheDatabaseFolderOnlyWhenChosen)
{
    core::TKonfig konfig = core::defaultKonfig();
    konfig.DefMappePATH.setText("  /data/kort  ");
    EXPECT_EQ(wizardStartFolder(konfig, "/prog"), fs::path("/prog"));
    konfig.DefMappeJN = true;
    EXPECT_EQ(wizardStartFolder(konfig, "/prog"), fs::path("/data/kort"));
}

class CreateTable : public ::testing::Test
{
protected:
    std::string path(const char *name) const { return (fs::path(m_dir.path().toStdString()) / name).string(); }
    QTemporaryDir m_dir;
};

TEST_F(CreateTable, CharacterAndMemoMakeAFoxProTableWithOneBlankRecord)
{
    const std::string table = path("KUNDER.DBF");
    ASSERT_EQ(createNewDatabase({{"navn", K::Karakter, 30, 0}, {"NOTAT", K::Editor, 4, 0}}, "  " + table + " ",
                                kNever),
              0);
    const std::string b = readBytes(table);
    const std::size_t headLen = 32 * 2 + 33 + 263;
    ASSERT_EQ(b.size(), headLen + 35 + 1);
    EXPECT_EQ(static_cast<unsigned char>(b[0]), 0x30);
    EXPECT_EQ(le(b, 4, 4), 1u);
    EXPECT_EQ(le(b, 8, 2), headLen);
    EXPECT_EQ(le(b, 10, 2), 35u);
    EXPECT_EQ(static_cast<unsigned char>(b[14]), 0) << "no write claim left behind";
    EXPECT_EQ(static_cast<unsigned char>(b[28]), 0x02);
    EXPECT_EQ(b.substr(32, 5), std::string("NAVN\0", 5));
    EXPECT_EQ(b[32 + 11], 'C');
    EXPECT_EQ(static_cast<unsigned char>(b[32 + 16]), 30);
    EXPECT_EQ(b.substr(64, 6), std::string("NOTAT\0", 6));
    EXPECT_EQ(b[64 + 11], 'M');
    EXPECT_EQ(static_cast<unsigned char>(b[64 + 16]), 4);
    EXPECT_EQ(static_cast<unsigned char>(b[96]), 0x0D);
    EXPECT_EQ(b.substr(97, 263), std::string(263, '\0'));
    EXPECT_EQ(b.substr(headLen, 35), std::string(35, ' '));
    EXPECT_EQ(static_cast<unsigned char>(b.back()), 0x1A);
    EXPECT_EQ(fs::file_size(path("KUNDER.FPT")), 512u);
}

TEST_F(CreateTable, WidestCharacterFieldIsKept)
{
    const std::string table = path("BRED.DBF");
    ASSERT_EQ(createNewDatabase({{"TEKST", K::Karakter, 255, 0}}, table, kNever), 0);
    engine::TDbfTable t;
    ASSERT_TRUE(t.OpenDatabase(table, true, false));
    EXPECT_EQ(t.FieldLen(1), 255);
    EXPECT_EQ(t.GetField(1).what, 'C');
    EXPECT_EQ(t.RecCount(), 1);
    EXPECT_FALSE(fs::exists(path("BRED.FPT")));
}

TEST_F(CreateTable, RefusalsLeaveNoFile)
{
    EXPECT_EQ(createNewDatabase({{"A", K::Karakter, 10, 0}}, "   ", kNever), 4061);
    std::vector<FieldRow> many(256, FieldRow{"", K::Karakter, 10, 0});
    for (std::size_t i = 0; i < many.size(); ++i)
        many[i].name = "F" + std::to_string(i);
    EXPECT_EQ(createNewDatabase(many, path("MANGE.DBF"), kNever), kDefinitionTooLarge);
    EXPECT_FALSE(fs::exists(path("MANGE.DBF")));
    many.pop_back();
    EXPECT_TRUE(engineAcceptsFields(many));
}

TEST_F(CreateTable, AnsweringNoLeavesTheExistingFilesAndRefuses)
{
    writeBytes(path("GAMMEL.DBF"), "old table");
    writeBytes(path("GAMMEL.FPT"), "old memo");
    std::string asked;
    const int message = createNewDatabase({{"A", K::Karakter, 10, 0}}, path("GAMMEL.DBF"),
                                          [&](const std::string &name) {
                                              asked = name;
                                              return false;
                                          });
    EXPECT_EQ(message, 4060);
    EXPECT_EQ(asked, path("GAMMEL.DBF"));
    EXPECT_EQ(readBytes(path("GAMMEL.DBF")), "old table");
    EXPECT_EQ(readBytes(path("GAMMEL.FPT")), "old memo");
}

TEST_F(CreateTable, AnsweringYesDeletesTheCompanionsAndCreates)
{
    writeBytes(path("GAMMEL.DBF"), "old table");
    for (const char *companion : {"GAMMEL.FPT", "gammel.for", "GAMMEL.PRT", "GAMMEL.DBT"})
        writeBytes(path(companion), "old");
    writeBytes(path("ANNEN.FOR"), "someone else's");
    ASSERT_EQ(createNewDatabase({{"A", K::Karakter, 10, 0}}, path("gammel.dbf"), [](auto &) { return true; }), 0);
    for (const char *companion : {"GAMMEL.FPT", "gammel.for", "GAMMEL.PRT", "GAMMEL.DBT"})
        EXPECT_FALSE(fs::exists(path(companion))) << companion;
    EXPECT_EQ(readBytes(path("ANNEN.FOR")), "someone else's");
    engine::TDbfTable t;
    ASSERT_TRUE(t.OpenDatabase(path("GAMMEL.DBF"), true, false));
    EXPECT_EQ(t.FieldName(1), "A");
}

TEST_F(CreateTable, RefusedListNeverAsksAboutAnExistingFile)
{
    writeBytes(path("GAMMEL.DBF"), "old table");
    EXPECT_EQ(createNewDatabase({{"_A", K::Karakter, 10, 0}}, path("GAMMEL.DBF"), kNever), 4051);
    EXPECT_EQ(readBytes(path("GAMMEL.DBF")), "old table");
}

TEST_F(CreateTable, TableOpenElsewhereIsNotReplaced)
{
    ASSERT_EQ(createNewDatabase({{"A", K::Karakter, 10, 0}}, path("APEN.DBF"), kNever), 0);
    engine::TDbfTable open;
    ASSERT_TRUE(open.OpenDatabase(path("APEN.DBF"), false, false));
    EXPECT_EQ(createNewDatabase({{"B", K::Karakter, 10, 0}}, path("APEN.DBF"), kNever), 4060);
    EXPECT_EQ(open.FieldName(1), "A");
}

} // namespace
} // namespace kvilbo::dialogs
