#include "printing/print_error.h"
#include "printing/print_file.h"
#include "printing/print_geometry.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace kvilbo::printing {
namespace {

const LabelSheet kA4ThreeByEight{8, 3, 10, 10, 5, 5, 2, 2};

TEST(LabelGeometry, BoxesRunRowByRowAndWrapPerSheet)
{
    const LabelGeometry g = labelGeometry(kA4ThreeByEight, 21000, 29700);
    EXPECT_EQ(g.perSheet(), 24);
    EXPECT_EQ(g.labelWidth, (21000 - 500 - 500 - 400) / 3);
    EXPECT_EQ(g.labelHeight, (29700 - 1000 - 1000 - 1400) / 8);
    EXPECT_EQ(g.box(0), QRect(501, 1001, g.labelWidth, g.labelHeight));
    EXPECT_EQ(g.box(1).topLeft(), QPoint(501 + g.labelWidth + 200, 1001));
    EXPECT_EQ(g.box(3).topLeft(), QPoint(501, 1001 + g.labelHeight + 200));
    EXPECT_EQ(g.box(24), g.box(0));
    // The last label stays on the paper.
    EXPECT_LE(g.box(23).right(), 21000 - 500);
    EXPECT_LE(g.box(23).bottom(), 29700 - 1000);
}

TEST(LabelGeometry, DamagedSheetWithoutRowsOrColumnsStillLaysOut)
{
    const LabelGeometry g = labelGeometry(LabelSheet{0, 0, 0, 0, 0, 0, 0, 0}, 21000, 29700);
    EXPECT_EQ(g.perSheet(), 1);
    EXPECT_EQ(g.box(0), QRect(1, 1, 21000, 29700));
}

struct InfoCase {
    const char* name;
    LabelSheet sheet;
    int perSheet, widthMm, heightMm;
};

class LabelInfoTest : public testing::TestWithParam<InfoCase> {};

TEST_P(LabelInfoTest, FiguresOnA4)
{
    const InfoCase& c = GetParam();
    const LabelInfo info = labelInfo(c.sheet);
    EXPECT_EQ(info.perSheet, c.perSheet);
    EXPECT_EQ(info.widthMm, c.widthMm);
    EXPECT_EQ(info.heightMm, c.heightMm);
}

INSTANTIATE_TEST_SUITE_P(
    Sheets, LabelInfoTest,
    testing::Values(InfoCase{"ThreeByEightWithMargins", kA4ThreeByEight, 24, 65, 32},
                    InfoCase{"TwoByTwoEdgeToEdge", {2, 2, 0, 0, 0, 0, 0, 0}, 4, 105, 148},
                    InfoCase{"GapsCountBetweenLabelsOnly", {2, 4, 0, 0, 0, 0, 10, 7}, 8, 45, 145}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ListGeometry, LinesPerPageTruncatesAndNeverFallsBelowOne)
{
    EXPECT_EQ(linesPerPage(29700, 1048), 25);
    EXPECT_EQ(linesPerPage(29700, 1047), 25);
    EXPECT_EQ(linesPerPage(29700, 1000), 26);
    EXPECT_EQ(linesPerPage(29700, 0), 1);
    EXPECT_EQ(linesPerPage(29700, 50000), 1);
}

TEST(ListGeometry, ColumnsKeepWidthsAboveZeroOneMillimetreApart)
{
    const std::vector<ListColumnRecord> records{
        {1, "NAVN", 30}, {2, "SKJULT", 0}, {3, "BELOP", 20}, {4, "NEG", -1}, {5, "F", 10}};
    const auto columns = listColumns(records, [](int nr) { return nr == 3 ? 'N' : nr == 5 ? 'F' : 'C'; });
    ASSERT_EQ(columns.size(), 3u);
    EXPECT_EQ(columns[0].x, 1000);
    EXPECT_EQ(columns[0].width, 3000);
    EXPECT_EQ(columns[0].alignment, 0);
    EXPECT_EQ(columns[1].x, 4100);
    EXPECT_EQ(columns[1].alignment, 1);
    EXPECT_EQ(columns[2].x, 6200);
    EXPECT_EQ(columns[2].alignment, 1);
    EXPECT_EQ(usedWidthMm(records), 31 + 21 + 11);
}

TEST(ListGeometry, ShadeIsLighterAndKeepsWhite)
{
    EXPECT_GT(lighterShade(Qt::black).lightness(), 0);
    EXPECT_GT(lighterShade(QColor(0, 0, 200)).lightness(), QColor(0, 0, 200).lightness());
    EXPECT_EQ(lighterShade(Qt::white), QColor(Qt::white));
    EXPECT_EQ(bgrFromColour(colourFromBgr(0x00336699)), 0x00336699u);
    EXPECT_EQ(colourFromBgr(255), QColor(255, 0, 0));
}

class PrintFileTest : public testing::Test {
protected:
    QString write(const QByteArray& bytes)
    {
        const QString path = m_dir.filePath(QStringLiteral("KORT.prt"));
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }
    QByteArray bytesOf(const QString& path)
    {
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        return file.readAll();
    }
    QTemporaryDir m_dir;
};

TEST_F(PrintFileTest, ByteOrderMarkSelectsTheEncoding)
{
    const QString expected = QString::fromUtf8("Bl\xC3\xA5" "b\xC3\xA6r\n[%FIELD001]\n");
    const struct {
        QByteArray bytes;
        PrintFileEncoding encoding;
    } cases[] = {
        {QByteArray("Bl\xE5" "b\xE6r\r\n[%FIELD001]\r\n"), PrintFileEncoding::Cp1252},
        {QByteArray("\xEF\xBB\xBF") + expected.toUtf8(), PrintFileEncoding::Utf8Bom},
        {QByteArray("\xFF\xFE") + QByteArray(reinterpret_cast<const char*>(expected.utf16()),
                                             expected.size() * 2),
         PrintFileEncoding::Utf16LeBom},
    };
    for (const auto& c : cases) {
        const PrintText text = readPrintText(write(c.bytes));
        EXPECT_EQ(text.text, expected);
        EXPECT_EQ(text.encoding, c.encoding);
    }
}

TEST_F(PrintFileTest, WritesCrLfInTheEncodingItWasReadIn)
{
    const QString path = m_dir.filePath(QStringLiteral("UT.prt"));
    writePrintText(path, QString::fromUtf8("\xC3\xB8\nb"));
    EXPECT_EQ(bytesOf(path), QByteArray("\xF8\r\nb"));
    writePrintText(path, QString::fromUtf8("\xC3\xB8\r\nb"), PrintFileEncoding::Utf8Bom);
    EXPECT_EQ(bytesOf(path), QByteArray("\xEF\xBB\xBF\xC3\xB8\r\nb"));
}

TEST_F(PrintFileTest, MissingFileAndUnwritableFolderThrow)
{
    EXPECT_THROW(readPrintText(m_dir.filePath(QStringLiteral("INGEN.prt"))), PrintError);
    EXPECT_THROW(writePrintText(m_dir.filePath(QStringLiteral("mangler/UT.prt")), QStringLiteral("x")),
                 PrintError);
}

} // namespace
} // namespace kvilbo::printing
