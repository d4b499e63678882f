// The list model over a real table: display texts, sorting, marks, the cell
// commit's stored bytes and the list layout, checked with QAbstractItemModelTester.
#include "test_database.h"

#include "listview/list_layout.h"
#include "listview/list_model.h"
#include "listview/sort_keys.h"
#include "printing/field_text.h"

#include <QAbstractItemModelTester>
#include <QCoreApplication>

#include <gtest/gtest.h>

#include <vector>

namespace kvilbo::listview {
namespace {

using test::TestDatabase;

class ListModelTest : public testing::Test {
protected:
    void SetUp() override
    {
        db.open();
        build();
    }
    void build()
    {
        model.build(db.DBF, readListLayout(db.layoutTable->FORFIL(), db.DBF));
    }
    std::vector<int> order() const
    {
        std::vector<int> out;
        for (int r = 0; r < model.rowCount(); ++r)
            out.push_back(model.RowRecNo(r));
        return out;
    }

    TestDatabase db;
    ListModel model;
    QAbstractItemModelTester tester{&model, QAbstractItemModelTester::FailureReportingMode::Fatal};
};

using Order = std::vector<int>;

TEST_F(ListModelTest, CellsShowTheFieldDisplayTextOfEveryRecord)
{
    ASSERT_EQ(model.rowCount(), test::kSampleRows);
    ASSERT_EQ(model.columnCount(), 6);
    for (int r = 0; r < model.rowCount(); ++r) {
        db.DBF.Go(model.RowRecNo(r));
        for (int c = 0; c < model.columnCount(); ++c)
            EXPECT_EQ(model.data(model.index(r, c)).toString(), printing::GetX(db.DBF, c + 1, 0))
                << "row " << r << " column " << c;
    }
    EXPECT_EQ(model.data(model.index(0, 0)).toString(), QStringLiteral("\u00D8rjan"));
    EXPECT_EQ(model.data(model.index(0, 1)).toString(), QStringLiteral("12,50"));
    EXPECT_EQ(model.data(model.index(2, 3)).toString(), QStringLiteral("  .  .    "));
    EXPECT_EQ(model.headerData(0, Qt::Horizontal).toString(), QStringLiteral("NAVN"));
    EXPECT_EQ(model.descriptorText(1), "002 H X");
    EXPECT_EQ(model.descriptorText(0), "001 V X");
    EXPECT_TRUE(model.data(model.index(0, 1), Qt::TextAlignmentRole).value<Qt::Alignment>() & Qt::AlignRight);
    EXPECT_TRUE(model.data(model.index(0, 0), Qt::TextAlignmentRole).value<Qt::Alignment>() & Qt::AlignLeft);
}

struct SortCase {
    const char *name;
    int column;
    bool blanksFirst;
    Order ascending;
};

class ListSort : public ListModelTest, public testing::WithParamInterface<SortCase> {};

TEST_P(ListSort, AscendingDescendingAndBackToRecordOrder)
{
    const SortCase &c = GetParam();
    model.setOptions({0, 2000, c.blanksFirst});
    model.sortByColumn(c.column);
    EXPECT_EQ(order(), c.ascending);
    EXPECT_EQ(model.descriptor(c.column).sort, SortState::Ascending);
    model.sortByColumn(c.column);
    EXPECT_EQ(order(), Order(c.ascending.rbegin(), c.ascending.rend()));
    EXPECT_EQ(model.descriptor(c.column).sort, SortState::Descending);
    model.sortByColumn(c.column);
    EXPECT_EQ(order(), (Order{1, 2, 3, 4, 5, 6, 7}));
    EXPECT_EQ(model.descriptor(c.column).sort, SortState::None);
}

INSTANTIATE_TEST_SUITE_P(
    Columns, ListSort,
    testing::Values(
        // anders, Bjørn, Zelda, æsj, Ørjan, Åse; the blank name last or first
        SortCase{"text_norwegian_order_blank_last", 0, false, {2, 6, 4, 7, 1, 3, 5}},
        SortCase{"text_blank_first", 0, true, {5, 2, 6, 4, 7, 1, 3}},
        // -5, 0.5, 3, 7, 12.5, 12.5 (record order kept), 100
        SortCase{"number", 1, false, {2, 4, 7, 5, 1, 6, 3}},
        // a blank number shows 0 and sorts as 0
        SortCase{"number_blank_reads_zero", 2, true, {3, 6, 5, 1, 7, 4, 2}},
        SortCase{"date_blanks_last", 3, false, {6, 2, 4, 1, 5, 3, 7}},
        SortCase{"date_blanks_first", 3, true, {3, 7, 6, 2, 4, 1, 5}},
        // "Ja " before "Nei"
        SortCase{"logical", 4, false, {1, 3, 5, 2, 4, 6, 7}}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(ListModelTest, SortingAnotherColumnResetsTheFirst)
{
    model.sortByColumn(0);
    model.sortByColumn(0);
    int f = -1, type = -1;
    ASSERT_TRUE(model.KortListeSortert(f, type));
    EXPECT_EQ(f, 1);
    EXPECT_EQ(type, 2);
    model.sortByColumn(1);
    EXPECT_EQ(model.descriptorText(0), "001 V X");
    EXPECT_EQ(model.descriptorText(1), "002 H O");
    ASSERT_TRUE(model.KortListeSortert(f, type));
    EXPECT_EQ(f, 2);
    EXPECT_EQ(type, 1);
    model.sortByColumn(1);
    model.sortByColumn(1);
    EXPECT_FALSE(model.KortListeSortert(f, type));
    EXPECT_EQ(f, 0);
    EXPECT_EQ(type, 0);
}

TEST_F(ListModelTest, MarksTravelWithTheirRowsAndAreCounted)
{
    model.SetRowMark(0, true); // record 1
    model.SetRowMark(2, true); // record 3
    model.SetRowMark(4, true); // record 5
    EXPECT_EQ(model.rowKeyText(0), "x    0000001");
    EXPECT_EQ(model.headerData(0, Qt::Vertical).toString(), QStringLiteral("x"));
    model.sortByColumn(0);
    EXPECT_EQ(model.CountMarkedRows(), 3);
    std::vector<int> marked;
    for (int r = 0; r < model.rowCount(); ++r)
        if (model.IsRowMarked(r))
            marked.push_back(model.RowRecNo(r));
    EXPECT_EQ(marked, (std::vector<int>{1, 3, 5}));
    model.SetRowMark(model.rowOfRecord(3), false);
    EXPECT_EQ(model.CountMarkedRows(), 2);
    EXPECT_EQ(model.rowKeyText(model.rowOfRecord(3)), "     0000003");
    model.setAllMarks(true);
    EXPECT_EQ(model.CountMarkedRows(), test::kSampleRows);
    build();
    EXPECT_EQ(model.CountMarkedRows(), 0); // a rebuild clears every mark
}

struct CommitCase {
    const char *name;
    int field;
    const char *typed;
    const char *stored;
    int spraak = 0;
};

class ListCommit : public ListModelTest, public testing::WithParamInterface<CommitCase> {};

TEST_P(ListCommit, StoresTheNormalisedValue)
{
    const CommitCase &c = GetParam();
    model.setOptions({c.spraak, 2000, false});
    const int before = db.DBF.RecCount();
    EXPECT_TRUE(model.commitCell(1, c.field - 1, QString::fromUtf8(c.typed)));
    EXPECT_EQ(db.fieldBytes(2, c.field), c.stored);
    EXPECT_EQ(db.DBF.RecCount(), before);
    // The rest of the record stays.
    if (c.field == TestDatabase::kNavn)
        EXPECT_EQ(db.fieldBytes(2, TestDatabase::kBelop), "   -5.00");
    else
        EXPECT_EQ(db.fieldBytes(2, TestDatabase::kNavn), "anders              ");
}

INSTANTIATE_TEST_SUITE_P(
    Types, ListCommit,
    testing::Values(CommitCase{"character_padded", 1, "Per", "Per                 "},
                    CommitCase{"character_cut", 1, "abcdefghijklmnopqrstuvwxyz", "abcdefghijklmnopqrst"},
                    CommitCase{"number_norwegian_comma", 2, "1,5", "    1.50"},
                    CommitCase{"number_english_point", 2, "1.5", "    1.50", 1},
                    CommitCase{"number_out_of_range_blank", 3, "12345", "    "},
                    CommitCase{"number_smallest", 3, "-999", "-999"},
                    CommitCase{"number_below_smallest_blank", 3, "-1000", "    "},
                    CommitCase{"date_short_form", 4, "010203", "20030201"},
                    CommitCase{"date_invalid_blank", 4, "31.02.2003", "        "},
                    CommitCase{"logical_yes", 5, "Ja ", "T"},
                    CommitCase{"logical_no", 5, "Nei", "F"}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(ListModelTest, UnreadableNumberIsReportedAndNothingWritten)
{
    std::string reported;
    model.setErrorHandler([&](const std::exception &e) { reported = e.what(); });
    EXPECT_FALSE(model.commitCell(1, 1, QStringLiteral("1-2")));
    EXPECT_FALSE(reported.empty());
    EXPECT_EQ(db.fieldBytes(2, TestDatabase::kBelop), "   -5.00");
}

TEST_F(ListModelTest, DescendingAfterAnEditSortsTheChangedValueInPlace)
{
    model.sortByColumn(0); // anders, Bjørn, Zelda, æsj, Ørjan, Åse, blank
    ASSERT_TRUE(model.commitCell(model.rowOfRecord(2), 0, QStringLiteral("\u00F8ystein")));
    model.sortByColumn(0); // descending: Åse, øystein, Ørjan, ...
    EXPECT_EQ(order(), (Order{5, 3, 2, 1, 7, 4, 6}));
}

TEST_F(ListModelTest, CommitHandlerGetsRecordFieldAndNormalisedText)
{
    int rec = 0, felt = 0;
    QString text;
    model.setCommitHandler([&](int r, int f, const QString &v) {
        rec = r;
        felt = f;
        text = v;
        EXPECT_EQ(db.DBF.RecNo(), r); // positioned on the record first
    });
    model.sortByColumn(0);
    model.commitCell(0, 3, QStringLiteral("010203"));
    EXPECT_EQ(rec, 2);
    EXPECT_EQ(felt, 4);
    EXPECT_EQ(text, QStringLiteral("01.02.2003"));
}

TEST_F(ListModelTest, NewRecordRowAndRefresh)
{
    db.DBF.AppendBlank();
    const int row = model.appendRecordRow(db.DBF.RecCount());
    EXPECT_EQ(row, test::kSampleRows);
    EXPECT_EQ(model.RowRecNo(row), 8);
    EXPECT_EQ(model.data(model.index(row, 0)).toString(), QString());
    db.DBF.Store("NAVN", "Ny");
    db.DBF.Write(false);
    model.refreshRecord(8);
    EXPECT_EQ(model.data(model.index(row, 0)).toString(), QStringLiteral("Ny"));
    EXPECT_EQ(model.appendRecordRow(20), -1); // only the record just appended
}

TEST(ListModelEmpty, ATableWithoutRecordsHasHeadingsOnly)
{
    TestDatabase db(0, false);
    db.open();
    ListModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    model.build(db.DBF, readListLayout(db.layoutTable->FORFIL(), db.DBF));
    EXPECT_EQ(model.rowCount(), 0);
    EXPECT_EQ(model.columnCount(), 6);
    model.sortByColumn(0);
    EXPECT_EQ(model.descriptorText(0), "001 V X");
    int f = 1, t = 1;
    EXPECT_FALSE(model.KortListeSortert(f, t));
    db.DBF.AppendBlank();
    EXPECT_EQ(model.appendRecordRow(1), 0);
    EXPECT_EQ(model.rowCount(), 1);
}

TEST(ListModelChunks, RecordsBeyondOneChunkLoadStepByStep)
{
    TestDatabase db(1, false);
    db.open();
    for (int i = 0; i < 5000; ++i)
        db.append({std::to_string(5000 - i), "    1.00", "   1", "20000101", "T"});
    ListModel model;
    model.build(db.DBF, readListLayout(db.layoutTable->FORFIL(), db.DBF));
    EXPECT_FALSE(model.fullyLoaded());
    EXPECT_EQ(model.data(model.index(4999, 0)).toString(), QStringLiteral("1")); // read on demand
    while (!model.loadStep(1)) {
    }
    EXPECT_TRUE(model.fullyLoaded());
    model.sortByColumn(0); // the names are numbers: numeric order
    EXPECT_EQ(model.RowRecNo(0), 5000);
    EXPECT_EQ(model.RowRecNo(4999), 1);
}

TEST(Collation, NorwegianLettersAfterZWithoutRegardToCase)
{
    const QStringList ordered = {QStringLiteral("a"), QStringLiteral("B"), QStringLiteral("\u00E9t"),
                                 QStringLiteral("Z"), QStringLiteral("\u00C6"), QStringLiteral("\u00E4"),
                                 QStringLiteral("\u00F8"), QStringLiteral("\u00C5")};
    for (int i = 0; i + 1 < ordered.size(); ++i)
        EXPECT_LE(collationKey(ordered[i]), collationKey(ordered[i + 1])) << i;
    EXPECT_LT(collationKey(QStringLiteral("Z")), collationKey(QStringLiteral("\u00E6")));
    EXPECT_EQ(collationKey(QStringLiteral("\u00C6")), collationKey(QStringLiteral("\u00E4")));
    EXPECT_EQ(collationKey(QStringLiteral("Hansen")), collationKey(QStringLiteral("HANSEN")));
    EXPECT_LT(collationKey(QStringLiteral("9")), collationKey(QStringLiteral("a")));
}

TEST(LocaleReading, NumbersAndDatesInTextCells)
{
    double v = 0;
    EXPECT_TRUE(readLocaleNumber("12,5", ',', v));
    EXPECT_DOUBLE_EQ(v, 12.5);
    EXPECT_FALSE(readLocaleNumber("12.5", ',', v));
    EXPECT_TRUE(readLocaleNumber("-3e2", '.', v));
    EXPECT_DOUBLE_EQ(v, -300);
    EXPECT_FALSE(readLocaleNumber("1-2", ',', v));
    EXPECT_FALSE(readLocaleNumber("", ',', v));
    EXPECT_TRUE(readLocaleDate("1.2.03", 2000, v));
    EXPECT_DOUBLE_EQ(v, 20030201);
    EXPECT_TRUE(readLocaleDate("29.02.2004", 2000, v));
    EXPECT_FALSE(readLocaleDate("29.02.2003", 2000, v));
    EXPECT_FALSE(readLocaleDate("01.02", 2000, v));
}

TEST(ListLayoutReading, DefaultLayoutAndWriteBack)
{
    TestDatabase db;
    db.open();
    ListLayout l = readListLayout(db.layoutTable->FORFIL(), db.DBF);
    ASSERT_TRUE(l.headerFound);
    ASSERT_EQ(l.state.columns.size(), 6u);
    EXPECT_EQ(l.state.columns[3].heading, "FODT");
    EXPECT_EQ(l.state.columns[3].fieldNumber, 4);
    EXPECT_EQ(l.state.columns[3].width, 100);
    layout::ListViewState s = l.state;
    std::swap(s.columns[0], s.columns[3]);
    s.columns[0].width = 140;
    s.columns[0].heading = "F\xC3\xB8" "dt";
    s.fontName = "DejaVu Sans";
    db.close(&s);
    db.open();
    l = readListLayout(db.layoutTable->FORFIL(), db.DBF);
    EXPECT_TRUE(l.hasAppearance);
    EXPECT_EQ(l.state.fontName, "DejaVu Sans");
    EXPECT_EQ(l.state.columns[0].fieldNumber, 4);
    EXPECT_EQ(l.state.columns[0].width, 140);
    EXPECT_EQ(l.state.columns[0].heading, "F\xC3\xB8" "dt");
    EXPECT_EQ(l.state.columns[3].fieldNumber, 1);
}

TEST(ListLayoutReading, WithoutALiveHeaderFieldNamesAndDefaultWidths)
{
    TestDatabase db;
    db.open();
    engine::TDbfTable &FORFIL = db.layoutTable->FORFIL();
    FORFIL.Go(1);
    FORFIL.Delete(true);
    const ListLayout l = readListLayout(FORFIL, db.DBF);
    EXPECT_FALSE(l.headerFound);
    ASSERT_EQ(l.state.columns.size(), 6u);
    EXPECT_EQ(l.state.columns[5].heading, "NOTAT");
    EXPECT_EQ(l.state.columns[5].width, 0);
}

TEST(ListLayoutReading, ColumnFieldThatIsNotANumberIsAConversionError)
{
    TestDatabase db;
    db.open();
    engine::TDbfTable &FORFIL = db.layoutTable->FORFIL();
    FORFIL.Go(3);
    FORFIL.Store("OBJREFNR", "x");
    FORFIL.Write(false);
    EXPECT_THROW(readListLayout(FORFIL, db.DBF), std::invalid_argument);
}

} // namespace
} // namespace kvilbo::listview

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
