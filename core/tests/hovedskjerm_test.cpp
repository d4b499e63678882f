// The main window driven as a user drives it: toolbar clicks, clicks on the
// list's headings and row headers, the wheel over the card surface, closing.

// moc does not read C++20 concepts; it needs none of these headers.
#ifndef Q_MOC_RUN
#include "window_fixture.h"

#include "core/card_list.h"
#include "core/database_session.h"
#include "core/hovedskjerm.h"
#include "core/program_errors.h"
#endif

#include <QCheckBox>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QHeaderView>
#include <QLabel>
#include <QScrollArea>
#include <QScreen>
#include <QScrollBar>
#include <QTableView>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

#include <fstream>

using namespace kvilbo::core;
using namespace kvilbo::core::testing;

namespace {

QString labelText(QWidget &w, const char *name)
{
    auto *label = w.findChild<QLabel *>(QString::fromLatin1(name));
    return label ? label->text() : QStringLiteral("<no %1>").arg(QString::fromLatin1(name));
}

bool labelEnabled(QWidget &w, const char *name)
{
    return w.findChild<QLabel *>(QString::fromLatin1(name))->isEnabled();
}

void click(QWidget &w, const char *button)
{
    auto *b = w.findChild<QToolButton *>(QString::fromLatin1(button));
    QVERIFY2(b, button);
    QVERIFY2(b->isEnabled(), button);
    QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(10, 10));
}

QStringList logLines(const QTemporaryDir &folder)
{
    QFile file(folder.filePath(QStringLiteral("Kvilbo.LOG")));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromLatin1(file.readAll()).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
}

QTableView *grid(QWidget &w)
{
    return w.findChild<QTableView *>(QStringLiteral("kortliste"));
}

} // namespace

class HovedskjermTest : public QObject
{
    Q_OBJECT

    StartOptions options(const QTemporaryDir &folder, FakePrompts &prompts, std::uint16_t language = 1033)
    {
        StartOptions o;
        o.programFolder = folder.path().toStdString();
        o.prompts = &prompts;
        o.userLanguage = language;
        return o;
    }

    ChosenDatabase demo(const QTemporaryDir &folder, bool exclusive = false)
    {
        return {makeKunder(folder.path().toStdString(), fourCustomers()), exclusive};
    }

    void openWithDialog(TForm3 &w, FakePrompts &prompts, const ChosenDatabase &file)
    {
        prompts.files.push_back(file);
        click(w, "ToolButton11");
    }

    int currentRecord(TForm3 &w) { return w.session().DBF().RecNo(); }

private slots:
    void firstStartLanguageAndLog_data()
    {
        QTest::addColumn<int>("language");
        QTest::addColumn<QString>("header");
        QTest::newRow("Norwegian user") << 1044 << "  INGEN DATABASE \u00c5PEN";
        QTest::newRow("Nynorsk user gets English") << 2068 << "  NO DATABASE OPEN";
    }

    void firstStartLanguageAndLog()
    {
        QFETCH(int, language);
        QFETCH(QString, header);
        QTemporaryDir folder;
        FakePrompts prompts;
        {
            TForm3 w(options(folder, prompts, std::uint16_t(language)));
            w.start();
            QCOMPARE(labelText(w, "headertekst"), header);
            QVERIFY(!labelEnabled(w, "headertekst"));
            QCOMPARE(labelText(w, "akort"), QStringLiteral("000000"));
            QVERIFY(labelText(w, "msgtekst1").endsWith(QString::fromStdString(w.texts().ss(2089))));
            QVERIFY(labelText(w, "mlabel").contains(TForm3::versionText()));
            const QPoint offCentre = w.frameGeometry().center() - w.screen()->availableGeometry().center();
            QVERIFY2(offCentre.manhattanLength() <= 2, "the designed window opens centred");
            for (const char *name : {"ToolButton26", "ToolButton10", "ToolButton12", "ToolButton18"})
                QVERIFY2(!w.findChild<QToolButton *>(QString::fromLatin1(name))->isEnabled(), name);
            QVERIFY(w.close());
        }
        const QStringList lines = logLines(folder);
        QVERIFY(lines.size() >= 4);
        // The log starts before the settings settle the language.
        QVERIFY(lines.first().endsWith("(NO DATABASE OPEN)->NEW LOGFILE CREATED"));
        QVERIFY(lines.at(1).endsWith(")->***PROGRAM START***"));
        QVERIFY(lines.last().endsWith(")->***PROGRAM END***"));
        TKonfig stored = defaultKonfig();
        QVERIFY(lesKONFIG(stored, folder.filePath("kvilbo.dat").toStdString(), 1033));
        QCOMPARE(int(stored.intStartAnt), 1);
        QCOMPARE(int(stored.intVersjon), language == 1044 ? 0 : 1);
        QCOMPARE(QFileInfo(folder.filePath("kvilbo.dat")).size(), qint64(2996));
    }

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
        QVERIFY(!w.findChild<QToolButton *>("ToolButton5")->isEnabled()); // printing comes later
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

    void startsOnTheLastDatabaseWithStoredBounds()
    {
        QTemporaryDir folder;
        FakePrompts prompts;
        const std::string table = makeKunder(folder.path().toStdString(), fourCustomers());
        writeKonfig(folder.path().toStdString(), [&](TKonfig &k) {
            k.bootVinduValg = 2;
            k.bootVinduLeft = 65000;
            k.bootVinduTop = 40;
            k.bootVinduWidth = 1000;
            k.bootVinduHeight = 700;
            k.bootDBFvalg = 1;
            k.bootDBFsiste.setText("  " + table + "  ");
            k.bootListeView = false;
        });
        TForm3 w(options(folder, prompts));
        w.start();
        QCOMPARE(w.pos(), QPoint(1, 1));
        QCOMPARE(w.size(), QSize(1000, 700));
        QVERIFY(w.session().isOpen());
        QVERIFY(!w.session().DBF().IsExclusive());
        QVERIFY(!w.ListeVisningAktiv());
        QCOMPARE(labelText(w, "visningtekst"), QStringLiteral("RECORD-VIEW"));
        QVERIFY(w.findChild<QScrollArea *>("bakgrunn1")->isVisible());
        QVERIFY(w.close());
        TKonfig stored = defaultKonfig();
        lesKONFIG(stored, folder.filePath("kvilbo.dat").toStdString(), 1033);
        QCOMPARE(int(stored.bootVinduLeft), 1);
        QCOMPARE(int(stored.bootVinduWidth), 1000);
    }

    void tableNamedAtStartWinsOverTheSettings()
    {
        QTemporaryDir folder, other;
        FakePrompts prompts;
        const std::string always = makeKunder(other.path().toStdString(), {{"Eva", "Moss", "9"}});
        writeKonfig(folder.path().toStdString(), [&](TKonfig &k) {
            k.bootDBFvalg = 2;
            k.bootDBFalltid.setText(always);
        });
        StartOptions o = options(folder, prompts);
        o.startFile = makeKunder(folder.path().toStdString(), fourCustomers());
        TForm3 w(o);
        w.start();
        QVERIFY(w.session().isOpen());
        QVERIFY(!w.session().DBF().IsExclusive());
        QCOMPARE(labelText(w, "akort"), QStringLiteral("000004"));

        const StartOptions parsed = StartOptions::fromArguments(
            {"/opt/kvilbo/kvilbo", "KUNDER.DBF"}, QStringLiteral("/opt/kvilbo/kvilbo"));
        QCOMPARE(QString::fromStdString(parsed.programFolder.string()), QStringLiteral("/opt/kvilbo"));
        QCOMPARE(QString::fromStdString(parsed.startFile), QDir::current().absoluteFilePath("KUNDER.DBF"));
    }

    void missingLastDatabaseStartsEmptyAndSilent()
    {
        QTemporaryDir folder;
        FakePrompts prompts;
        writeKonfig(folder.path().toStdString(), [&](TKonfig &k) {
            k.bootDBFvalg = 1;
            k.bootDBFsiste.setText(folder.filePath("DELETED.DBF").toStdString());
        });
        TForm3 w(options(folder, prompts));
        w.start();
        QVERIFY(!w.session().isOpen());
        QVERIFY(prompts.errorTexts.isEmpty());
        QCOMPARE(labelText(w, "msgtekst1"), QString());
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

    void errorInAnEventHandlerReachesTheDialog_data()
    {
        QTest::addColumn<bool>("ok");
        QTest::newRow("OK goes on") << true;
        QTest::newRow("Cancel closes in order") << false;
    }

    void errorInAnEventHandlerReachesTheDialog()
    {
        QFETCH(bool, ok);
        QTemporaryDir folder;
        FakePrompts prompts;
        prompts.errorAnswer = ok;
        TForm3 w(options(folder, prompts));
        w.start();
        openWithDialog(w, prompts, demo(folder));
        // A timer whose handler throws, as any slot of a later window might.
        QTimer failing;
        failing.setSingleShot(true);
        QObject::connect(&failing, &QTimer::timeout, [] {
            throw std::runtime_error("the handler failed");
        });
        failing.start(0);
        QTRY_COMPARE(prompts.errorTexts.size(), 1);
        QVERIFY(prompts.errorTexts.first().contains("the handler failed"));
        if (ok) {
            QTest::qWait(10);
            QVERIFY(w.isVisible());
            QVERIFY(w.session().isOpen());
        } else {
            QTRY_VERIFY(!w.isVisible());
            QVERIFY(!w.session().isOpen());
            QVERIFY(logLines(folder).last().endsWith("***PROGRAM END***"));
        }
    }

    void welcomeWindow()
    {
        QTemporaryDir folder;
        FakePrompts prompts;
        writeKonfig(folder.path().toStdString(), [](TKonfig &k) { k.bootSplashScreen = true; });
        QList<bool> tickedBefore;
        prompts.onModal = [&](QDialog &d) {
            auto *box = d.findChild<QCheckBox *>("ikkeVisNesteGang");
            tickedBefore << box->isChecked();
            QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(5, box->height() / 2));
        };
        TForm3 w(options(folder, prompts));
        w.start();
        QCOMPARE(prompts.modals, QStringList{"Velkomst"});
        QVERIFY(!w.Konfig().bootSplashScreen);
        click(w, "ToolButton24");
        QCOMPARE(prompts.modals.size(), 2);
        QVERIFY(w.Konfig().bootSplashScreen);
        QCOMPARE(tickedBefore, (QList<bool>{false, true}));
    }

    void noticeAndBusyIndicator()
    {
        QTemporaryDir folder;
        FakePrompts prompts;
        TForm3 w(options(folder, prompts));
        w.start();
        auto *timer1 = w.findChild<QTimer *>("Timer1");
        QVERIFY(timer1 && timer1->isActive());
        timer1->setInterval(1);
        w.melding("hello");
        QCOMPARE(labelText(w, "mlabel"), QStringLiteral("  hello"));
        QTRY_COMPARE(labelText(w, "mlabel"), QString());

        const ChosenDatabase file = demo(folder);
        openWithDialog(w, prompts, file);
        QVERIFY(!labelEnabled(w, "label1"));
        // Another instance's write claim: header byte 14.
        auto setClaim = [&](char flag) {
            std::fstream f(file.path, std::ios::in | std::ios::out | std::ios::binary);
            f.seekp(14);
            f.put(flag);
        };
        setClaim(1);
        QTRY_VERIFY(labelEnabled(w, "label1"));
        setClaim(0);
        QTRY_VERIFY(!labelEnabled(w, "label1"));
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

    void unusableSettingsFileIsReported()
    {
        QTemporaryDir folder;
        FakePrompts prompts;
        QVERIFY(QDir(folder.path()).mkdir("kvilbo.dat")); // neither readable nor writable as a file
        TForm3 w(options(folder, prompts));
        w.start();
        QCOMPARE(prompts.errorTexts.size(), 1); // start-up goes on after OK
        QVERIFY(w.isVisible());
        QVERIFY(!w.close()); // OK on the failed write keeps the window
        QCOMPARE(prompts.errorTexts.size(), 2);
        prompts.errorAnswer = false;
        QVERIFY(w.close()); // Cancel ends it
        QVERIFY(!w.isVisible());
    }

    void escapeClosesInOrder()
    {
        QTemporaryDir folder;
        FakePrompts prompts;
        TForm3 w(options(folder, prompts));
        w.start();
        openWithDialog(w, prompts, demo(folder));
        QTest::keyClick(&w, Qt::Key_Escape);
        QVERIFY(!w.isVisible());
        QVERIFY(!w.session().isOpen());
        QVERIFY(QFileInfo::exists(folder.filePath("kvilbo.dat")));
        QVERIFY(logLines(folder).last().endsWith("***PROGRAM END***"));
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

    void messageLineKeepsTheLastThree()
    {
        QTemporaryDir folder;
        FakePrompts prompts;
        TForm3 w(options(folder, prompts));
        for (const char *text : {"one", "two", "three", "four"})
            w.MSG(text);
        QVERIFY(labelText(w, "msgtekst1").endsWith(" four"));
        QVERIFY(labelText(w, "msgtekst2").endsWith(" three"));
        QVERIFY(labelText(w, "msgtekst3").endsWith(" two"));
        w.MSG("engine only", false, true);
        QVERIFY(labelText(w, "msgtekst1").endsWith(" four"));
        QVERIFY(logLines(folder).last().endsWith("->engine only"));
    }
};

int main(int argc, char **argv)
{
    KvilboApplication app(argc, argv);
    HovedskjermTest test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "hovedskjerm_test.moc"
