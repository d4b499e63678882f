// The list grid driven as a user drives it: clicks, keys and right-clicks on
// the offscreen platform, with the bytes that land in the table file checked.
#include "test_database.h"

#include "engine/dbf_table.h"
#include "listview/list_grid.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

#include <memory>

using kvilbo::listview::ListGrid;
using kvilbo::listview::SortState;
using kvilbo::listview::test::TestDatabase;

namespace {

// A database opened with its grid built and shown, as the main window does it.
struct Shown {
    explicit Shown(bool withRows = true, kvilbo::listview::ListOptions options = {}) : db(0, withRows)
    {
        db.open();
        grid.setOptions(options);
        grid.resize(900, 400);
        grid.formularsettoppLISTE(db.DBF, db.layoutTable->FORFIL());
        grid.show();
        grid.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&grid));
        grid.setFocus();
    }
    std::vector<int> order()
    {
        std::vector<int> out;
        for (int r = 0; r < grid.listModel().rowCount(); ++r)
            out.push_back(grid.listModel().RowRecNo(r));
        return out;
    }
    QPoint cell(int row, int c) { return grid.visualRect(grid.model()->index(row, c)).center(); }
    void clickCell(int row, int c) { QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, cell(row, c)); }
    void rightClickHeading(int c)
    {
        QHeaderView *h = grid.horizontalHeader();
        const QPoint at(h->sectionViewportPosition(c) + h->sectionSize(c) / 2, h->height() / 2);
        QTest::mouseClick(h->viewport(), Qt::RightButton, {}, at);
    }
    void clickMark(int row)
    {
        QHeaderView *h = grid.verticalHeader();
        QTest::mouseClick(h->viewport(), Qt::LeftButton, {}, QPoint(8, h->sectionViewportPosition(row) + 5));
    }
    QLineEdit *editor() { return grid.findChild<QLineEdit *>(); }

    TestDatabase db;
    ListGrid grid;
};

} // namespace

class ListGridTest : public QObject {
    Q_OBJECT
private slots:
    void editEachFieldTypeWritesTheFile_data();
    void editEachFieldTypeWritesTheFile();
    void enterOpensTheEditorWithTheCaretAtTheStart();
    void spaceTogglesALogicalCell();
    void memoCellsOpenTheEditorOnSpaceAndDoubleClick();
    void rightClickSortsAndThirdClickRestoresRecordOrder_data();
    void rightClickSortsAndThirdClickRestoresRecordOrder();
    void navigationFollowsTheSortedOrder();
    void rowHeaderClickMarksAndUnmarks();
    void editInAMovedColumnWritesItsOwnField();
    void closeAndReopenKeepsWidthsOrderAndHeadings();
    void anEmptyTableShowsHeadingsOnly();
    void oppdaterListeShowsAChangeMadeElsewhere();
};

void ListGridTest::editEachFieldTypeWritesTheFile_data()
{
    QTest::addColumn<int>("field");
    QTest::addColumn<int>("spraak");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QByteArray>("stored");
    QTest::addColumn<QString>("shown");
    QTest::newRow("character") << 1 << 0 << "Per Hansen" << QByteArray("Per Hansen          ") << "Per Hansen";
    QTest::newRow("character_norwegian_letters")
        << 1 << 0 << QStringLiteral("\u00C6\u00F8\u00E5") << QByteArray("\xC6\xF8\xE5                 ")
        << QStringLiteral("\u00C6\u00F8\u00E5");
    QTest::newRow("number_norwegian_comma") << 2 << 0 << "1,5" << QByteArray("    1.50") << "1,50";
    QTest::newRow("number_point_and_letters_refused") << 2 << 0 << "1.5x" << QByteArray("   15.00") << "15,00";
    QTest::newRow("number_english_point") << 2 << 1 << "1.5" << QByteArray("    1.50") << "1.50";
    QTest::newRow("number_minus_first_only") << 3 << 0 << "-12-" << QByteArray(" -12") << "-12";
    QTest::newRow("date_short_year") << 4 << 0 << "010203" << QByteArray("20030201") << "01.02.2003";
    QTest::newRow("date_full") << 4 << 0 << "29022004" << QByteArray("20040229") << "29.02.2004";
    QTest::newRow("date_invalid_blank") << 4 << 0 << "31022004" << QByteArray("        ") << "  .  .    ";
}

void ListGridTest::editEachFieldTypeWritesTheFile()
{
    QFETCH(int, field);
    QFETCH(int, spraak);
    QFETCH(QString, typed);
    QFETCH(QByteArray, stored);
    QFETCH(QString, shown);
    Shown s(true, {spraak, 2000, false});
    QSignalSpy committed(&s.grid, &ListGrid::cellCommitted);
    s.clickCell(1, field - 1);
    QTest::keyClick(&s.grid, Qt::Key_Return);
    QLineEdit *edit = s.editor();
    QVERIFY(edit);
    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, typed);
    QTest::keyClick(edit, Qt::Key_Return); // the editor commits once the key is handled
    QTRY_COMPARE(QByteArray::fromStdString(s.db.fieldBytes(2, field)), stored);
    QCOMPARE(s.grid.model()->index(1, field - 1).data().toString(), shown);
    QCOMPARE(QByteArray::fromStdString(s.db.fieldBytes(1, field)),
             QByteArray::fromStdString(TestDatabase(0).fieldBytes(1, field))); // other records untouched
    Q_UNUSED(committed);
}

void ListGridTest::enterOpensTheEditorWithTheCaretAtTheStart()
{
    Shown s;
    s.clickCell(1, 0);
    QTest::keyClick(&s.grid, Qt::Key_Return);
    QLineEdit *edit = s.editor();
    QVERIFY(edit);
    QCOMPARE(edit->text(), QStringLiteral("anders"));
    QCOMPARE(edit->cursorPosition(), 0);
    QCOMPARE(edit->maxLength(), 20);
    QTest::keyClicks(edit, "B");
    QTest::keyClick(edit, Qt::Key_Tab); // leaving the cell commits it
    QTRY_COMPARE(QByteArray::fromStdString(s.db.fieldBytes(2, 1)), QByteArray("Banders             "));
}

void ListGridTest::spaceTogglesALogicalCell()
{
    Shown s;
    s.clickCell(1, 4); // record 2 holds "F"
    QCOMPARE(s.grid.model()->index(1, 4).data().toString(), QStringLiteral("Nei"));
    QTest::keyClick(&s.grid, Qt::Key_Space);
    QCOMPARE(s.grid.model()->index(1, 4).data().toString(), QStringLiteral("Ja "));
    QCOMPARE(s.db.fieldBytes(2, 5), std::string("T"));
    QTest::keyClick(&s.grid, Qt::Key_Space);
    QCOMPARE(s.db.fieldBytes(2, 5), std::string("F"));
    QTest::keyClicks(&s.grid, "J"); // typed letters do nothing here
    QVERIFY(!s.editor());
    QCOMPARE(s.db.fieldBytes(2, 5), std::string("F"));
}

void ListGridTest::memoCellsOpenTheEditorOnSpaceAndDoubleClick()
{
    Shown s;
    QStringList seen;
    std::optional<QString> answer = QStringLiteral("Hei p\u00E5 deg");
    s.grid.setMemoEditor([&](const QString &text, const QString &) {
        seen << text;
        return answer;
    });
    s.clickCell(0, 5);
    QCOMPARE(s.grid.model()->index(0, 5).data().toString(), QStringLiteral("editor"));
    QTest::keyClick(&s.grid, Qt::Key_Space);
    QCOMPARE(seen, QStringList{QString()});
    QCOMPARE(s.grid.model()->index(0, 5).data().toString(), QStringLiteral("EDITOR"));
    s.db.DBF.Go(1);
    QCOMPARE(QString::fromStdString(s.db.DBF.MemoRead(6)), QStringLiteral("Hei p\u00E5 deg"));

    answer.reset(); // cancelled: nothing written
    QTest::mouseDClick(s.grid.viewport(), Qt::LeftButton, {}, s.cell(0, 5));
    QCOMPARE(seen.size(), 2);
    QCOMPARE(seen.last(), QStringLiteral("Hei p\u00E5 deg"));
    QTest::mouseDClick(s.grid.viewport(), Qt::LeftButton, {}, s.cell(2, 5));
    QCOMPARE(seen.size(), 3);
    QCOMPARE(s.grid.model()->index(2, 5).data().toString(), QStringLiteral("editor"));
    QTest::keyClicks(&s.grid, "abc");
    QVERIFY(!s.editor());
}

void ListGridTest::rightClickSortsAndThirdClickRestoresRecordOrder_data()
{
    QTest::addColumn<int>("column");
    QTest::addColumn<bool>("blanksFirst");
    QTest::addColumn<std::vector<int>>("ascending");
    QTest::newRow("text_blank_last") << 0 << false << std::vector<int>{2, 6, 4, 7, 1, 3, 5};
    QTest::newRow("text_blank_first") << 0 << true << std::vector<int>{5, 2, 6, 4, 7, 1, 3};
    QTest::newRow("number") << 1 << false << std::vector<int>{2, 4, 7, 5, 1, 6, 3};
    QTest::newRow("date_blanks_last") << 3 << false << std::vector<int>{6, 2, 4, 1, 5, 3, 7};
    QTest::newRow("date_blanks_first") << 3 << true << std::vector<int>{3, 7, 6, 2, 4, 1, 5};
}

void ListGridTest::rightClickSortsAndThirdClickRestoresRecordOrder()
{
    QFETCH(int, column);
    QFETCH(bool, blanksFirst);
    QFETCH(std::vector<int>, ascending);
    Shown s(true, {0, 2000, blanksFirst});
    QSignalSpy started(&s.grid, &ListGrid::sortStarted);
    QSignalSpy finished(&s.grid, &ListGrid::sortFinished);
    s.rightClickHeading(column);
    QCOMPARE(s.order(), ascending);
    QCOMPARE(s.grid.listModel().descriptor(column).sort, SortState::Ascending);
    QCOMPARE(started.count(), 1);
    QCOMPARE(finished.count(), 1);
    int f = 0, type = 0;
    QVERIFY(s.grid.KortListeSortert(f, type));
    QCOMPARE(f, column + 1);
    QCOMPARE(type, 1);
    s.rightClickHeading(column);
    QCOMPARE(s.order(), std::vector<int>(ascending.rbegin(), ascending.rend()));
    QVERIFY(s.grid.KortListeSortert(f, type));
    QCOMPARE(type, 2);
    s.rightClickHeading(column);
    QCOMPARE(s.order(), (std::vector<int>{1, 2, 3, 4, 5, 6, 7}));
    QVERIFY(!s.grid.KortListeSortert(f, type));
}

void ListGridTest::navigationFollowsTheSortedOrder()
{
    Shown s;
    QSignalSpy current(&s.grid, &ListGrid::currentRecordChanged);
    s.rightClickHeading(0);
    s.grid.setCurrentRow(0);
    QCOMPARE(s.db.DBF.RecNo(), 2); // "anders" comes first
    QTest::keyClick(&s.grid, Qt::Key_Down);
    QCOMPARE(s.db.DBF.RecNo(), 6);
    QCOMPARE(current.last().at(0).toInt(), 6);
    QCOMPARE(current.last().at(1).toInt(), 1);
    QTest::keyClick(&s.grid, Qt::Key_End, Qt::ControlModifier);
    QCOMPARE(s.db.DBF.RecNo(), 5); // the blank name is last
    QTest::keyClick(&s.grid, Qt::Key_Home);
    QCOMPARE(current.last().at(1).toInt(), 1);
    QTest::keyClick(&s.grid, Qt::Key_Right);
    QCOMPARE(current.last().at(1).toInt(), 2);
    s.clickCell(2, 3);
    QCOMPARE(s.db.DBF.RecNo(), 4);
    QCOMPARE(current.last().at(1).toInt(), 4);
}

void ListGridTest::rowHeaderClickMarksAndUnmarks()
{
    Shown s;
    QSignalSpy toggled(&s.grid, &ListGrid::rowMarkToggled);
    s.clickMark(0);
    s.clickMark(2);
    s.clickMark(4);
    QCOMPARE(toggled.count(), 3);
    QCOMPARE(toggled.last().at(1).toBool(), true);
    QCOMPARE(s.grid.model()->headerData(2, Qt::Vertical).toString(), QStringLiteral("x"));
    s.rightClickHeading(0);
    QCOMPARE(s.grid.listModel().CountMarkedRows(), 3);
    const int row3 = s.grid.listModel().rowOfRecord(3);
    QVERIFY(s.grid.listModel().IsRowMarked(row3));
    QCOMPARE(s.grid.listModel().rowKeyText(row3), std::string("x    0000003"));
    s.clickMark(row3);
    QCOMPARE(toggled.last().at(1).toBool(), false);
    QVERIFY(!s.grid.listModel().IsRowMarked(row3));
    QCOMPARE(s.grid.listModel().CountMarkedRows(), 2);
}

void ListGridTest::editInAMovedColumnWritesItsOwnField()
{
    Shown s;
    s.grid.horizontalHeader()->moveSection(3, 0); // FODT shown first
    const int logical = s.grid.horizontalHeader()->logicalIndex(0);
    QCOMPARE(logical, 3);
    s.clickCell(0, logical);
    QTest::keyClick(&s.grid, Qt::Key_Return);
    QLineEdit *edit = s.editor();
    QVERIFY(edit);
    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, "24121999");
    QTest::keyClick(edit, Qt::Key_Return);
    QTRY_COMPARE(s.db.fieldBytes(1, 4), std::string("19991224"));
    QCOMPARE(s.db.fieldBytes(1, 1), std::string("\xD8rjan               "));
}

void ListGridTest::closeAndReopenKeepsWidthsOrderAndHeadings()
{
    auto s = std::make_unique<Shown>();
    QHeaderView *h = s->grid.horizontalHeader();
    QCOMPARE(h->sectionSize(0), 100);
    h->resizeSection(1, 150);
    h->moveSection(1, 0);
    s->grid.listModel().setHeading(0, QStringLiteral("Navn p\u00E5 kunde"));
    const auto state = s->grid.listViewState();
    s->grid.clearList();
    QVERIFY(!s->grid.isVisible());
    s->db.close(&state);
    s->db.open();
    s->grid.formularsettoppLISTE(s->db.DBF, s->db.layoutTable->FORFIL());
    kvilbo::listview::ListModel &m = s->grid.listModel();
    QCOMPARE(m.descriptor(0).field, 2); // BELOP is the first column now
    QCOMPARE(m.descriptorText(0), std::string("002 H X"));
    QCOMPARE(s->grid.columnWidth(0), 150);
    QCOMPARE(m.descriptor(1).field, 1);
    QCOMPARE(m.heading(1), QStringLiteral("Navn p\u00E5 kunde"));
    QCOMPARE(s->grid.columnWidth(1), 100);
    QCOMPARE(m.data(m.index(0, 0)).toString(), QStringLiteral("12,50"));
}

void ListGridTest::anEmptyTableShowsHeadingsOnly()
{
    Shown s(false);
    QVERIFY(s.grid.isVisible());
    QCOMPARE(s.grid.model()->rowCount(), 0);
    QCOMPARE(s.grid.model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("NAVN"));
    QSignalSpy started(&s.grid, &ListGrid::sortStarted);
    s.rightClickHeading(0);
    QCOMPARE(started.count(), 0);
    QTest::keyClick(&s.grid, Qt::Key_Space);
    QTest::keyClick(&s.grid, Qt::Key_Return);
    QVERIFY(!s.editor());
    s.db.DBF.AppendBlank(); // the new-card command
    QCOMPARE(s.grid.addRecordRow(), 0);
    QCOMPARE(s.grid.currentRow(), 0);
    QCOMPARE(s.grid.listModel().rowKeyText(0), std::string("     0000001"));
}

void ListGridTest::oppdaterListeShowsAChangeMadeElsewhere()
{
    Shown s;
    s.clickCell(2, 0);
    s.db.DBF.Go(3);
    s.db.DBF.Store("NAVN", "Endret");
    s.db.DBF.Write(false);
    QCOMPARE(s.grid.model()->index(2, 0).data().toString(), QStringLiteral("\u00C5se"));
    s.grid.OppdaterListe();
    QCOMPARE(s.grid.model()->index(2, 0).data().toString(), QStringLiteral("Endret"));
}

QTEST_MAIN(ListGridTest)
#include "list_grid_test.moc"
