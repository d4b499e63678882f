// A new layout table, checked record by record against the values a new
// database must get, for a card table with a memo field and one without.

#include "layout_test_support.h"

#include "layout/layout_error.h"

namespace kvilbo::layout::test {
namespace {

using Values = std::map<Felt, std::string>;

Values with(Values base, const Values &more)
{
    for (const auto &[f, v] : more)
        base[f] = v;
    return base;
}

Values kind(int form, int obj)
{
    return {{FormType, std::to_string(form)}, {ObjType, std::to_string(obj)}};
}

// Font and colours of the card's text boxes in the fixture's settings.
Values textBoxStyle()
{
    return {{ObjFontN, "TextFont"}, {ObjFontF, "T"}, {ObjFontU, "T"}, {ObjFontK, "F"},
            {ObjFtxt, "444"}, {ObjFbg, "555"}, {ObjBackS, "1"}, {ObjRefNr, "300"}};
}

Values column(int form, int i, const std::string &name, const std::string &width)
{
    return with(kind(form, 2), {{ObjLinje, "0"}, {ObjKol, std::to_string(i)}, {ObjHoyde, "0"},
                                {ObjBredde, width}, {ObjJust, "0"}, {ObjFontN, "na"}, {ObjFontS, "8"},
                                {ObjFontF, "F"}, {ObjFontU, "F"}, {ObjFontK, "F"}, {ObjFtxt, "17920"},
                                {ObjFbg, "16777215"}, {ObjRamme, "0"}, {ObjRefNr, std::to_string(i)},
                                {ObjRefTxt, name}});
}

Values introBox(const std::string &top, const std::string &left, const std::string &text)
{
    return with(with(kind(2, 3), textBoxStyle()),
                {{ObjLinje, top}, {ObjKol, left}, {ObjHoyde, "20"}, {ObjBredde, "700"},
                 {ObjFontS, "13"}, {ObjRefTxt, text}});
}

Values caption(const std::string &top, const std::string &name)
{
    return with(with(kind(2, 3), textBoxStyle()),
                {{ObjLinje, top}, {ObjKol, "40"}, {ObjHoyde, "18"}, {ObjBredde, "200"}, {ObjJust, "0"},
                 {ObjFontS, "13"}, {ObjRamme, "0"}, {ObjRefTxt, name}});
}

Values databaseField(const std::string &top, const std::string &height, int i)
{
    return with(kind(2, 2), {{ObjLinje, top}, {ObjKol, "40"}, {ObjHoyde, height}, {ObjBredde, "320"},
                             {ObjJust, "0"}, {ObjFontN, "FieldFont"}, {ObjFontS, "14"}, {ObjFontF, "F"},
                             {ObjFontU, "F"}, {ObjFontK, "T"}, {ObjFtxt, "666"}, {ObjFbg, "777"},
                             {ObjRamme, "1"}, {ObjRefNr, std::to_string(i)}, {ObjTabNr, std::to_string(i)}});
}

struct Language {
    int spraak;
    std::vector<std::string> cardTexts; // texts 2032 to 2037
};

const Language kNorwegian{
    0,
    {"Standard overskrift til denne databasen",
     "Alt p\xC3\xA5 denne siden kan du selv tilpasse. Fonter, Textbokser, bilder og utseende.",
     "Du kan ha eget utseende til hver database du bruker/lager!",
     "Bare trykk p\xC3\xA5 linjal/saks knappen p\xC3\xA5 den \xC3\xB8verste knapperadden for \xC3\xA5 "
     "begynne modifisere.",
     "Programmet har ogs\xC3\xA5 metatags du kan bruke",
     "Databasens filnavn : [%DBFNAME] Dagens dato er : [%DATE]."}};

const Language kEnglish{
    1,
    {"Standard headline of this database",
     "Everything on this page can you customize. Fonts, Text Boxes, Images and appearance.",
     "You can have your own look for each database you use!",
     "Just press the toolbar / scissors button on the top, to start modifying.",
     "The program has also have meta tags you can use",
     "Database filename: [%DBFNAME] Today's date is: [%DATE]."}};

// The records every new layout starts with, for two fields named a and b.
std::vector<Values> listAndLabelRecords(const std::string &a, const std::string &b)
{
    const std::string version = "LISTEFORMULAR - V4.0 MAKE 15/9-2012";
    return {
        with(kind(1, 1), {{ObjHoyde, "23"}, {ObjJust, "1"}, {ObjFontN, "ListFont"}, {ObjFontS, "11"},
                          {ObjFontF, "T"}, {ObjFontU, "F"}, {ObjFontK, "T"}, {ObjRamme, "1"},
                          {ObjFtxt, "111"}, {ObjFbg, "222"}, {ObjRefTxt, version}}),
        column(1, 1, a, "100"),
        column(1, 2, b, "100"),
        with(kind(4, 1), {{ObjHoyde, "23"}, {ObjJust, "1"}, {ObjFontN, "PrintFont"}, {ObjFontS, "12"},
                          {ObjFontF, "F"}, {ObjFontU, "T"}, {ObjFontK, "F"}, {ObjFtxt, "333"},
                          {ObjRamme, "0"}, {ObjFbg, "0"}, {ObjRefTxt, version}, {ObjRO, "F"}}),
        column(4, 1, a, "30"),
        column(4, 2, b, "30"),
        with(kind(6, 1), {{ObjLinje, "8"}, {ObjKol, "3"}, {ObjHoyde, "2"}, {ObjBredde, "2"},
                          {ObjFontN, "PrintFont"}, {ObjFontS, "12"}, {ObjFontF, "F"}, {ObjFontU, "T"},
                          {ObjFontK, "F"}, {ObjFtxt, "333"}, {ObjTabNr, "5"}, {ObjEksN1, "5"},
                          {ObjRefNr, "4"}, {ObjHendel, "4"}}),
        with(kind(6, 3), {{ObjRefTxt, "Labels example"}}),
        with(kind(6, 3), {{ObjRefTxt, "[%FIELD001]"}}),
    };
}

std::vector<Values> cardIntroRecords(const Language &lang)
{
    const auto &t = lang.cardTexts;
    return {
        with(kind(2, 1), {{ObjFbg, "16777215"}, {ObjRefTxt, "SIDEFORMULAR - STANDARD FOR FIL V2.0 MAKE 28/8-2011"}}),
        with(kind(2, 4), {{ObjLinje, "30"}, {ObjKol, "30"}, {ObjHoyde, "100"}, {ObjBredde, "100"},
                          {ObjUtseen, "0"}, {ObjRefTxt, "[INTERNTBILDE001]"}}),
        with(with(kind(2, 3), textBoxStyle()), {{ObjLinje, "20"}, {ObjKol, "140"}, {ObjHoyde, "36"},
                                                {ObjBredde, "700"}, {ObjFontS, "20"}, {ObjRefTxt, t[0]}}),
        introBox("54", "140", t[1]),
        introBox("73", "140", t[2]),
        introBox("93", "140", t[3]),
        with(introBox("130", "40", t[4]), {{ObjFtxt, "4227200"}}),
        with(introBox("150", "40", t[5]), {{ObjFtxt, "4227200"}}),
    };
}

struct DefaultCase {
    std::string name;
    std::vector<FieldSpec> fields;
    Language language;
    std::vector<Values> fieldRecords; // caption and database field per card-table field
};

class DefaultLayoutTest : public LayoutFixture, public ::testing::WithParamInterface<DefaultCase> {};

TEST_P(DefaultLayoutTest, CreatesEveryRecordInOrderWithItsValues)
{
    const DefaultCase &c = GetParam();
    m_texts.setSpraak(static_cast<std::uint16_t>(c.language.spraak));
    makeCardTable(c.fields);
    auto layout = newLayout();
    layout->Formularaapne(DBF);

    std::vector<Values> want = listAndLabelRecords(c.fields[0].name, c.fields[1].name);
    for (const auto &r : cardIntroRecords(c.language))
        want.push_back(r);
    for (const auto &r : c.fieldRecords)
        want.push_back(r);

    const auto stored = readAll(layout->FORFIL());
    ASSERT_EQ(stored.size(), 13u + 4u * 2u);
    for (std::size_t r = 0; r < want.size(); ++r) {
        SCOPED_TRACE("record " + std::to_string(r + 1));
        EXPECT_FALSE(stored[r].deleted);
        for (int f = 1; f <= kFeltCount; ++f) {
            const auto felt = static_cast<Felt>(f);
            const auto w = want[r].find(felt);
            const auto s = stored[r].values.find(felt);
            EXPECT_EQ(s == stored[r].values.end() ? "" : s->second, w == want[r].end() ? "" : w->second)
                << "field " << feltNavn(felt);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    CardTables, DefaultLayoutTest,
    ::testing::Values(
        // A memo field first pushes the second caption down by 124 pixels.
        DefaultCase{"MemoFieldFirstNorwegian",
                    {{"NOTAT", 'M', 4}, {"NAVN", 'C', 20}},
                    kNorwegian,
                    {caption("220", "NOTAT"), databaseField("238", "94", 1), caption("344", "NAVN"),
                     databaseField("362", "24", 2)}},
        DefaultCase{"NoMemoEnglish",
                    {{"NAVN", 'C', 20}, {"BELOP", 'N', 9, 2}},
                    kEnglish,
                    {caption("220", "NAVN"), databaseField("238", "24", 1), caption("272", "BELOP"),
                     databaseField("290", "24", 2)}}),
    [](const auto &info) { return info.param.name; });

TEST_F(LayoutFixture, NewLayoutTableHasTheFixedStructureOnDisk)
{
    makeCardTable({{"NAVN", 'C', 20}, {"POSTNR", 'C', 4}, {"STED", 'C', 20}, {"ALDER", 'N', 3}});
    auto layout = newLayout();
    layout->Formularaapne(DBF);
    layout->close();

    const std::string bytes = fileBytes(beside("KUNDER.for"));
    ASSERT_GE(bytes.size(), 1064u);
    EXPECT_EQ(static_cast<unsigned char>(bytes[0]), 0x30);
    EXPECT_EQ(static_cast<unsigned char>(bytes[8]) | static_cast<unsigned char>(bytes[9]) << 8, 1064);
    EXPECT_EQ(static_cast<unsigned char>(bytes[10]) | static_cast<unsigned char>(bytes[11]) << 8, 315);
    EXPECT_EQ(bytes.substr(32 + 4 * 32, 11), std::string("OBJH\xF8YDE\0\0\0", 11));
    EXPECT_EQ(bytes.size(), 1064u + (13u + 4u * 4u) * 315u + 1u);
}

TEST_F(LayoutFixture, NewLayoutPrintsOnlyTheFirstThreeFields)
{
    makeCardTable({{"A", 'C', 5}, {"B", 'C', 5}, {"C", 'C', 5}, {"D", 'C', 5}, {"E", 'C', 5}});
    auto layout = newLayout();
    layout->Formularaapne(DBF);
    const auto stored = readAll(layout->FORFIL());
    const std::size_t n = 5;
    ASSERT_EQ(stored.size(), 13 + 4 * n);
    std::vector<std::string> widths;
    for (std::size_t r = n + 2; r < 2 * n + 2; ++r)
        widths.push_back(stored[r].values.at(ObjBredde));
    EXPECT_EQ(widths, (std::vector<std::string>{"30", "30", "30", "0", "0"}));
}

TEST_F(LayoutFixture, MissingLayoutAndPrintFileAreReported)
{
    makeCardTable({{"NAVN", 'C', 20}});
    auto layout = newLayout();
    layout->Formularaapne(DBF);
    EXPECT_EQ(loggedMessages(),
              (std::vector<std::string>{"FOR fil ikke funnet. Ny med std verdier lages",
                                        "PRT fil ikke funnet. Ny med std verdier lages",
                                        "Ny PRT fil laget"}));
}

TEST_F(LayoutFixture, CardTableWithoutFieldsGetsThirteenRecords)
{
    // A FoxPro table with no field descriptors at all (the engine will not create one).
    std::string header(32, '\0');
    header[0] = 0x30;
    header[8] = static_cast<char>(296 & 0xFF);
    header[9] = static_cast<char>(296 >> 8);
    header[10] = 1;
    writeBytes(beside("TOM.DBF"), header + '\x0D' + std::string(263, '\0') + '\x1A');
    ASSERT_TRUE(DBF.OpenDatabase(beside("TOM.DBF"), false, false)) << DBF.lastErrorMessage();

    auto layout = newLayout();
    layout->Formularaapne(DBF);
    std::vector<std::pair<std::string, std::string>> kinds;
    for (const auto &r : readAll(layout->FORFIL()))
        kinds.emplace_back(r.values.at(FormType), r.values.at(ObjType));
    EXPECT_EQ(kinds, (std::vector<std::pair<std::string, std::string>>{
                         {"1", "1"}, {"4", "1"}, {"6", "1"}, {"6", "3"}, {"6", "3"}, {"2", "1"}, {"2", "4"},
                         {"2", "3"}, {"2", "3"}, {"2", "3"}, {"2", "3"}, {"2", "3"}, {"2", "3"}}));
}

} // namespace
} // namespace kvilbo::layout::test
