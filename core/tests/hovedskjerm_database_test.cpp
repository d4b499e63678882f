// Opening, closing and browsing a database in the main window, driven by
// toolbar clicks, clicks on the list's headings and row headers, keys, and the
// wheel over the card surface.

// moc does not read C++20 concepts; it needs none of these headers.
#ifndef Q_MOC_RUN
#include "window_test_support.h"
#endif

#include <QCheckBox>
#include <QFileDialog>
#include <QHeaderView>
#include <QLineEdit>
#include <QScrollArea>
#include <QScrollBar>
#include <QTimer>

using namespace kvilbo::core;
using namespace kvilbo::core::testing;

class HovedskjermDatabaseTest : public WindowTestBase
{
    Q_OBJECT

private slots:
    void openThroughDialog_data()
    {
        QTest::addColumn<bool>("exclusive");
        QTest::newRow("exclusive box left ticked") << true;
        QTest::newRow("exclusive box cleared") << false;
    }

    void openThroughDialog()
    {
        QFETCH(bool, exclusive);
        QTemporaryDir folder;
        FakePrompts prompts;
        TForm3 w(options(folder, prompts));
        w.start();
        const ChosenDatabase file = demo(folder, exclusive);
        openWithDialog(w, prompts, file);

        QCOMPARE(prompts.askedFolders.value(0), folder.path());
        QVERIFY(prompts.askedFilters.value(0).contains("*.dbf"));
        QVERIFY(w.session().isOpen());
        QCOMPARE(w.session().DBF().IsExclusive(), exclusive);
        QCOMPARE(labelEnabled(w, "label2"), exclusive);
        QCOMPARE(labelText(w, "headertekst"), QStringLiteral("  KUNDER.DBF"));
        QCOMPARE(labelText(w, "akort"), QStringLiteral("000004"));
        QCOMPARE(labelText(w, "nkort"), QStringLiteral("000001"));
        QCOMPARE(labelText(w, "visningtekst"), QStringLiteral("LIST-VIEW"));
        QVERIFY(grid(w)->isVisible());
        QCOMPARE(QString::fromStdString(w.Konfig().bootDBFsiste.text()), QString::fromStdString(file.path));
        QVERIFY(w.findChild<QToolButton *>("ToolButton16")->isEnabled());
        QVERIFY(w.findChild<QToolButton *>("ToolButton5")->isEnabled());
        QVERIFY(w.findChild<QLineEdit *>("sEdit1")->isEnabled());
        QVERIFY(logLines(folder).filter("(KUNDER.DBF)->Opened database KUNDER.DBF").size() == 1);
    }

    void openingAnotherClosesTheFirst()
    {
        QTemporaryDir folder, other;
        FakePrompts prompts;
        TForm3 w(options(folder, prompts));
        w.start();
        openWithDialog(w, prompts, demo(folder));
        openWithDialog(w, prompts, {makeKunder(other.path().toStdString(), {{"Eva", "Moss", "9"}}), false});
        QCOMPARE(labelText(w, "akort"), QStringLiteral("000001"));
        const QStringList lines = logLines(folder);
        const int closed = lines.lastIndexOf(QRegularExpression(".*Database and associated files are closed$"));
        const int opened = lines.lastIndexOf(QRegularExpression(".*Opened database KUNDER.DBF$"));
        QVERIFY(closed > 0 && opened > closed);

        // A file that is gone: nothing happens, the open database stays.
        const int before = int(logLines(folder).size());
        openWithDialog(w, prompts, {folder.filePath("GONE.DBF").toStdString(), false});
        QVERIFY(w.session().isOpen());
        QCOMPARE(int(logLines(folder).size()), before);
        // A cancelled dialog changes nothing either.
        click(w, "ToolButton11");
        QVERIFY(w.session().isOpen());
    }

    void damagedTableReachesTheErrorDialog()
    {
        QTemporaryDir folder;
        FakePrompts prompts;
        TForm3 w(options(folder, prompts));
        w.start();
        openWithDialog(w, prompts, demo(folder));
        const QString bad = folder.filePath("BAD.DBF");
        QFile file(bad);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("not a table");
        file.close();

        openWithDialog(w, prompts, {bad.toStdString(), false});
        QCOMPARE(prompts.errorTexts.size(), 1);
        QVERIFY(prompts.errorTexts.first().contains("CAN NOT OPEN DATABASE FILE OR RELATED FILES"));
        QVERIFY(prompts.errorTexts.first().contains("OPENDATABASE->"));
        QCOMPARE(prompts.errorCaptions.first(), QStringLiteral("Errormessage from Kvilbo"));
        QVERIFY(!w.session().isOpen());
        QCOMPARE(labelText(w, "headertekst"), QStringLiteral("  NO DATABASE OPEN"));
        QVERIFY(logLines(folder).last().contains("ERROR-> '"));
        QVERIFY(w.isVisible()); // OK goes on
    }

    void navigationFollowsListOrder_data()
    {
        QTest::addColumn<QStringList>("clicks");
        QTest::addColumn<bool>("sortByName");
        QTest::addColumn<int>("record");

        const QStringList none;
        QTest::newRow("last") << QStringList{"ToolButton17"} << false << 4;
        QTest::newRow("next twice") << QStringList{"ToolButton16", "ToolButton16"} << false << 3;
        QTest::newRow("previous on the first stays") << QStringList{"ToolButton12", "ToolButton14"} << false << 1;
        QTest::newRow("next on the last stays") << QStringList{"ToolButton17", "ToolButton16"} << false << 4;
        QTest::newRow("first after sorting") << QStringList{"ToolButton17", "ToolButton12"} << true << 4;
        QTest::newRow("next after sorting") << QStringList{"ToolButton12", "ToolButton16"} << true << 2;
        QTest::newRow("last after sorting") << QStringList{"ToolButton17"} << true << 3;
    }

    void navigationFollowsListOrder()
    {
        QFETCH(QStringList, clicks);
        QFETCH(bool, sortByName);
        QFETCH(int, record);
        QTemporaryDir folder;
        FakePrompts prompts;
        TForm3 w(options(folder, prompts));
        w.start();
        openWithDialog(w, prompts, demo(folder));
        if (sortByName) {
            QHeaderView *headings = grid(w)->horizontalHeader();
            const int x = headings->sectionViewportPosition(0) + 5;
            QTest::mouseClick(headings->viewport(), Qt::RightButton, {}, QPoint(x, 5));
            QCOMPARE(labelText(w, "sorttekst"), QStringLiteral("001 NAVN (ASCENDING A-Z)"));
        }
        for (const QString &button : clicks)
            click(w, button.toLatin1().constData());
        QCOMPARE(currentRecord(w), record);
        QCOMPARE(labelText(w, "nkort"), QStringLiteral("%1").arg(record, 6, 10, QChar('0')));
    }

    void markingRows()
    {
        QTemporaryDir folder;
        FakePrompts prompts;
        TForm3 w(options(folder, prompts));
        w.start();
        openWithDialog(w, prompts, demo(folder));
        QHeaderView *rows = grid(w)->verticalHeader();
        QTest::mouseClick(rows->viewport(), Qt::LeftButton, {}, QPoint(5, rows->sectionViewportPosition(2) + 5));
        QVERIFY(w.kortliste().rowKey(2).starts_with('x'));
        click(w, "ToolButton12");
        QVERIFY(!labelEnabled(w, "Label66"));
        click(w, "ToolButton18");
        QVERIFY(w.kortliste().rowKey(0).starts_with('x'));
        QVERIFY(labelEnabled(w, "Label66"));
        click(w, "ToolButton16");
        QVERIFY(!labelEnabled(w, "Label66"));
        click(w, "ToolButton16");
        QVERIFY(labelEnabled(w, "Label66"));
        click(w, "ToolButton18");
        QVERIFY(!w.kortliste().rowKey(2).starts_with('x'));
        QVERIFY(!labelEnabled(w, "Label66"));
    }

    void newCardOnAnEmptyTable()
    {
        QTemporaryDir folder;
        FakePrompts prompts;
        TForm3 w(options(folder, prompts));
        w.start();
        openWithDialog(w, prompts, {makeKunder(folder.path().toStdString(), {}), false});
        QVERIFY(w.session().isOpen());
        QCOMPARE(labelText(w, "headertekst"), QStringLiteral("  NO DATABASE OPEN"));
        click(w, "ToolButton12"); // nothing to go to
        click(w, "ToolButton10");
        QCOMPARE(w.session().DBF().RecCount(), 1);
        QCOMPARE(w.kortliste().rowCount(), 1);
        QCOMPARE(w.kortliste().currentRow(), 0);
        QCOMPARE(w.kortliste().rowKey(0), std::string("     0000001"));
        QCOMPARE(labelText(w, "akort"), QStringLiteral("000001"));
        QCOMPARE(labelText(w, "headertekst"), QStringLiteral("  KUNDER.DBF"));
        click(w, "ToolButton10");
        QCOMPARE(w.kortliste().rowCount(), 2);
        QCOMPARE(currentRecord(w), 2);
    }

    void closeAndReopenKeepsColumns()
    {
        QTemporaryDir folder;
        FakePrompts prompts;
        TForm3 w(options(folder, prompts));
        w.start();
        const ChosenDatabase file = demo(folder);
        openWithDialog(w, prompts, file);
        QHeaderView *headings = grid(w)->horizontalHeader();
        headings->resizeSection(0, 150);
        headings->moveSection(2, 0); // ALDER first
        click(w, "ToolButton26");
        QVERIFY(!w.session().isOpen());
        QVERIFY(!grid(w)->isVisible());
        QCOMPARE(labelText(w, "headertekst"), QStringLiteral("  NO DATABASE OPEN"));

        openWithDialog(w, prompts, file);
        headings = grid(w)->horizontalHeader();
        const int firstShown = headings->logicalIndex(0);
        QCOMPARE(grid(w)->model()->headerData(firstShown, Qt::Horizontal).toString(), QStringLiteral("ALDER"));
        QCOMPARE(headings->sectionSize(headings->logicalIndex(1)), 150);
    }

    void wheelOverTheCardSurface_data()
    {
        QTest::addColumn<bool>("shift");
        QTest::newRow("vertical") << false;
        QTest::newRow("sideways with Shift") << true;
    }

    void wheelOverTheCardSurface()
    {
        QFETCH(bool, shift);
        QTemporaryDir folder;
        FakePrompts prompts;
        writeKonfig(folder.path().toStdString(), [](TKonfig &k) { k.bootListeView = false; });
        TForm3 w(options(folder, prompts));
        w.start();
        openWithDialog(w, prompts, demo(folder));
        auto *surface = w.findChild<QScrollArea *>("bakgrunn1");
        QVERIFY(surface->isVisible());
        surface->widget()->resize(4000, 4000);
        QScrollBar *bar = shift ? surface->horizontalScrollBar() : surface->verticalScrollBar();
        QCOMPARE(bar->value(), 0);
        const QPoint at(20, 20);
        QWheelEvent down(at, surface->viewport()->mapToGlobal(at), {}, QPoint(0, -120), Qt::NoButton,
                         shift ? Qt::ShiftModifier : Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(surface->viewport(), &down);
        QCOMPARE(bar->value(), QApplication::wheelScrollLines() * bar->singleStep());
        QWheelEvent up(at, surface->viewport()->mapToGlobal(at), {}, QPoint(0, 120), Qt::NoButton,
                       shift ? Qt::ShiftModifier : Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(surface->viewport(), &up);
        QCOMPARE(bar->value(), 0);
    }

    void anEditInProgressIsWrittenBeforeNext()
    {
        QTemporaryDir folder;
        FakePrompts prompts;
        TForm3 w(options(folder, prompts));
        w.start();
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        openWithDialog(w, prompts, demo(folder));
        QTableView *list = grid(w);
        QHeaderView *rows = list->verticalHeader();
        const QPoint firstCell(list->horizontalHeader()->sectionViewportPosition(0) + 5,
                               rows->sectionViewportPosition(0) + 5);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, firstCell);
        QTest::keyClick(list, Qt::Key_Return); // opens the editor at the start of the text
        QWidget *editor = QApplication::focusWidget();
        QVERIFY(editor && editor != list);
        QTest::keyClicks(editor, "Z");
        click(w, "ToolButton16");
        QCOMPARE(currentRecord(w), 2);
        w.session().DBF().Go(1);
        QCOMPARE(QString::fromStdString(w.session().DBF().GetF(1)).trimmed(), QStringLiteral("ZOla"));
    }

    void realOpenDialogOffersTheExclusiveChoice_data()
    {
        QTest::addColumn<bool>("clearIt");
        QTest::newRow("left ticked") << false;
        QTest::newRow("cleared") << true;
    }

    void realOpenDialogOffersTheExclusiveChoice()
    {
        QFETCH(bool, clearIt);
        QTemporaryDir folder;
        const std::string table = makeKunder(folder.path().toStdString(), fourCustomers());
        bool wasTicked = false;
        QTimer::singleShot(0, [&] {
            auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            auto *box = dialog->findChild<QCheckBox *>("eksklusivBoks");
            QVERIFY(box);
            wasTicked = box->isChecked();
            if (clearIt)
                QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(5, box->height() / 2));
            dialog->selectFile(QString::fromStdString(table));
            static_cast<QDialog *>(dialog)->accept(); // what the Open button does
        });
        QtUserPrompts prompts;
        const auto chosen = prompts.chooseDatabase(nullptr, folder.path(), "Database files (*.DBF *.dbf)",
                                                   "Open exclusively");
        QVERIFY(wasTicked);
        QVERIFY(chosen.has_value());
        QCOMPARE(QFileInfo(QString::fromStdString(chosen->path)).canonicalFilePath(),
                 QFileInfo(QString::fromStdString(table)).canonicalFilePath());
        QCOMPARE(chosen->exclusive, !clearIt);
    }
};

int main(int argc, char **argv)
{
    KvilboApplication app(argc, argv);
    HovedskjermDatabaseTest test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "hovedskjerm_database_test.moc"
