#include "print_database.h"

#include "layout/layout_fields.h"
#include "printing/print_error.h"
#include "printing/print_settings.h"

#include <gtest/gtest.h>

namespace kvilbo::printing {
namespace {

class PrintSettingsTest : public testing::Test {
protected:
    engine::TDbfTable& forfil() { return m_db.layout.FORFIL(); }
    void setField(int rec, const char* name, const char* value)
    {
        forfil().Go(rec);
        forfil().Store(name, value);
        ASSERT_TRUE(forfil().Write(false));
    }
    int liveLabelRecords()
    {
        int live = 0;
        for (int r = 1; r <= forfil().RecCount(); ++r) {
            forfil().Go(r);
            live += !forfil().IsCurrentRecDeleted()
                && QString::fromStdString(forfil().GetF(layout::FormType)).trimmed() == "6";
        }
        return live;
    }

    test::PrintDatabase m_db{1};
};

TEST_F(PrintSettingsTest, NewLayoutPrintsTheFirstThreeFields)
{
    const auto settings = readListPrint(forfil(), 4, true);
    ASSERT_TRUE(settings);
    EXPECT_EQ(settings->font.name, "DejaVu Sans");
    EXPECT_EQ(settings->font.size, 10);
    EXPECT_FALSE(settings->shading);
    ASSERT_EQ(settings->columns.size(), 4u);
    const int widths[] = {30, 30, 30, 0};
    const char* headings[] = {"NR", "NAVN", "BELOP", "NOTAT"};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(settings->columns[std::size_t(i)].feltNr, i + 1);
        EXPECT_EQ(settings->columns[std::size_t(i)].widthMm, widths[i]);
        EXPECT_EQ(settings->columns[std::size_t(i)].heading, headings[i]);
    }
}

TEST_F(PrintSettingsTest, ListSettingsRoundTripInPlace)
{
    const int before = forfil().RecCount();
    ListPrintSettings settings = *readListPrint(forfil(), 4, true);
    std::swap(settings.columns[0], settings.columns[3]);
    settings.columns[0].heading = "Notat";
    settings.font = FontSpec{"Courier", 12, true, false, true, 0x0000FF};
    settings.shading = true;
    writeListPrint(forfil(), 4, settings);
    EXPECT_EQ(forfil().RecCount(), before);
    const auto back = readListPrint(forfil(), 4, true);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->columns[0].feltNr, 4);
    EXPECT_EQ(back->columns[0].heading, "Notat");
    EXPECT_EQ(back->columns[3].feltNr, 1);
    EXPECT_EQ(back->font.name, "Courier");
    EXPECT_TRUE(back->font.bold);
    EXPECT_TRUE(back->font.underline);
    EXPECT_FALSE(back->font.italic);
    EXPECT_EQ(back->font.colour, 0x0000FFu);
    EXPECT_TRUE(back->shading);
    forfil().Go(7);
    EXPECT_EQ(QString::fromStdString(forfil().GetF(layout::ObjRefNr)).trimmed(), "004");
}

TEST_F(PrintSettingsTest, ForeignRecordIsNeitherReadNorWritten)
{
    setField(6, "FormType", "2");
    EXPECT_FALSE(readListPrint(forfil(), 4, false));
    ListPrintSettings settings;
    settings.font.name = "Ny";
    EXPECT_THROW(writeListPrint(forfil(), 4, settings), PrintError);
    forfil().Go(6);
    EXPECT_NE(QString::fromStdString(forfil().GetF(layout::ObjFontN)).trimmed(), "Ny");
    EXPECT_FALSE(readListPrint(forfil(), 40, false)); // beyond the end of the layout
}

TEST_F(PrintSettingsTest, WidthThatIsNoNumberFailsAStrictRead)
{
    setField(7, "ObjBredde", "x");
    EXPECT_THROW(readListPrint(forfil(), 4, true), PrintError);
    EXPECT_EQ(readListPrint(forfil(), 4, false)->columns[0].widthMm, 0);
}

TEST_F(PrintSettingsTest, FlagTextsStartingWithJTOrYAreTrue)
{
    for (const char* yes : {"T", "t", "J", "ja", "Y", "yes"})
        EXPECT_TRUE(flagTrue(QString::fromLatin1(yes))) << yes;
    for (const char* no : {"", "F", "N", "?", " T"})
        EXPECT_FALSE(flagTrue(QString::fromLatin1(no))) << no;
}

TEST_F(PrintSettingsTest, DefaultLabelsAndTheirText)
{
    const LabelSettings labels = readLabels(forfil());
    ASSERT_TRUE(labels.found);
    EXPECT_EQ(labels.sheet.rows, 8);
    EXPECT_EQ(labels.sheet.columns, 3);
    EXPECT_EQ(labels.lines, (QStringList{"Labels example", "[%FIELD001]"}));
    EXPECT_EQ(labels.text(), "Labels example\r[%FIELD001]\r");
}

TEST_F(PrintSettingsTest, WritingLabelsReplacesTheOldRecords)
{
    LabelSettings labels = readLabels(forfil());
    labels.sheet = LabelSheet{7, 2, 1, 2, 3, 4, 5, 6};
    labels.lines = QStringList{"A", QString(250, QLatin1Char('x'))};
    const int before = forfil().RecCount();
    writeLabels(forfil(), labels);
    EXPECT_EQ(forfil().RecCount(), before + 3);
    EXPECT_EQ(liveLabelRecords(), 3);
    const LabelSettings back = readLabels(forfil());
    EXPECT_EQ(back.sheet.rows, 7);
    EXPECT_EQ(back.sheet.vgap, 6);
    EXPECT_EQ(back.lines, (QStringList{"A", QString(199, QLatin1Char('x'))}));
}

TEST_F(PrintSettingsTest, TestButtonStoresIntoTheFirstLiveHeaderOnly)
{
    LabelSettings labels = readLabels(forfil());
    labels.sheet.rows = 5;
    const int before = forfil().RecCount();
    EXPECT_TRUE(storeLabelHeader(forfil(), labels));
    EXPECT_EQ(forfil().RecCount(), before);
    EXPECT_EQ(readLabels(forfil()).sheet.rows, 5);
    for (int r = 1; r <= forfil().RecCount(); ++r) {
        forfil().Go(r);
        if (QString::fromStdString(forfil().GetF(layout::FormType)).trimmed() == "6")
            forfil().Delete(true);
    }
    EXPECT_FALSE(storeLabelHeader(forfil(), labels));
    EXPECT_FALSE(readLabels(forfil()).found);
}

} // namespace
} // namespace kvilbo::printing
