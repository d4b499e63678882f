// The main window's rules that need no window: placement at start, status
// texts, navigation targets, row keys, the open dialog's filter and the
// colour offsets.

// moc does not read C++20 concepts; it needs none of these headers.
#ifndef Q_MOC_RUN
#include "core/config.h"
#include "core/database_session.h"
#include "core/messages.h"
#include "core/navigation.h"
#include "core/palette_transform.h"
#include "core/status_texts.h"
#include "core/user_prompts.h"
#include "core/window_placement.h"
#endif

#include <QtTest>

using namespace kvilbo::core;

class WindowLogicTest : public QObject
{
    Q_OBJECT

private slots:
    void placement_data()
    {
        QTest::addColumn<int>("choice");
        QTest::addColumn<QRect>("stored");
        QTest::addColumn<bool>("maximise");
        QTest::addColumn<QRect>("expected"); // null: the designed place is kept

        const QRect kept;
        QTest::newRow("as designed") << 0 << QRect(10, 20, 800, 700) << false << kept;
        QTest::newRow("maximised") << 1 << QRect(10, 20, 800, 700) << true << kept;
        QTest::newRow("last bounds") << 2 << QRect(10, 20, 800, 700) << false << QRect(10, 20, 800, 700);
        QTest::newRow("left of the primary screen") << 2 << QRect(65000, 20, 800, 700) << false
                                                    << QRect(1, 1, 800, 700);
        QTest::newRow("below the screen") << 2 << QRect(10, 5000, 800, 700) << false
                                          << QRect(1, 1, 800, 700);
        QTest::newRow("too narrow") << 2 << QRect(10, 20, 50, 700) << false << QRect(10, 20, 900, 600);
        QTest::newRow("too low") << 2 << QRect(10, 20, 800, 99) << false << QRect(10, 20, 900, 600);
        QTest::newRow("edge on the screen's border") << 2 << QRect(1280, 1024, 800, 700) << false
                                                     << QRect(1280, 1024, 800, 700);
    }

    void placement()
    {
        QFETCH(int, choice);
        QFETCH(QRect, stored);
        QFETCH(bool, maximise);
        QFETCH(QRect, expected);
        const WindowPlacement p = placeMainWindow(
            static_cast<std::uint8_t>(choice), {stored.x(), stored.y(), stored.width(), stored.height()},
            1280, 1024);
        QCOMPARE(p.maximise, maximise);
        QCOMPARE(p.applyRect, !expected.isNull());
        if (p.applyRect)
            QCOMPARE(QRect(p.rect.left, p.rect.top, p.rect.width, p.rect.height), expected);
    }

    void storedCoordinates()
    {
        QCOMPARE(storedCoordinate(-536), std::uint16_t(65000));
        QCOMPARE(storedCoordinate(1280), std::uint16_t(1280));
    }

    void statusTexts_data()
    {
        QTest::addColumn<bool>("open");
        QTest::addColumn<int>("records");
        QTest::addColumn<bool>("listView");
        QTest::addColumn<int>("sortType"); // 0 not sorted
        QTest::addColumn<int>("verdi");
        QTest::addColumn<QString>("header");
        QTest::addColumn<QString>("view");
        QTest::addColumn<QString>("sort");
        QTest::addColumn<QString>("nkort"); // empty: left as it is

        QTest::newRow("no table") << false << 0 << true << 0 << 5 << "  NO DATABASE OPEN"
                                  << "NO SHOW" << " " << "000000";
        QTest::newRow("empty table") << true << 0 << true << 0 << 1 << "  NO DATABASE OPEN"
                                     << "NO SHOW" << " " << "000000";
        QTest::newRow("list view in record order") << true << 12 << true << 0 << 1 << "  KUNDER.DBF"
                                                   << "LIST-VIEW" << "RECORDNO (1..RECORDSCOUNT)" << "000001";
        QTest::newRow("card view sorted ascending") << true << 12 << false << 1 << 0 << "  KUNDER.DBF"
                                                    << "RECORD-VIEW" << "002 NAVN (ASCENDING A-Z)" << "";
        QTest::newRow("sorted descending") << true << 12 << true << 2 << 7 << "  KUNDER.DBF"
                                           << "LIST-VIEW" << "002 NAVN (DESCENDING Z-A)" << "000007";
    }

    void statusTexts()
    {
        QFETCH(bool, open);
        QFETCH(int, records);
        QFETCH(bool, listView);
        QFETCH(int, sortType);
        QFETCH(int, verdi);
        QFETCH(QString, header);
        QFETCH(QString, view);
        QFETCH(QString, sort);
        QFETCH(QString, nkort);

        Texts texts(1);
        StatusInputs in;
        in.tableOpen = open;
        in.recordCount = records;
        in.fileName = "kunder.dbf";
        in.listView = listView;
        if (sortType > 0)
            in.sort = ListSort{2, "NAVN", sortType};
        in.Verdi = verdi;
        const StatusBarState s = statusFor(in, texts);
        QCOMPARE(QString::fromStdString(*s.headertekst.text), header);
        QCOMPARE(QString::fromStdString(*s.visningtekst.text), view);
        QCOMPARE(QString::fromStdString(*s.sorttekst.text), sort);
        QCOMPARE(s.nkort.text ? QString::fromStdString(*s.nkort.text) : QString(), nkort);
        QCOMPARE(s.headertekst.enabled, !s.noDatabase);
        QCOMPARE(s.clearNotice, s.noDatabase);
        if (!s.noDatabase)
            QCOMPARE(QString::fromStdString(*s.akort.text), QStringLiteral("%1").arg(records, 6, 10, QChar('0')));
    }

    void exclusiveAndMarkedFollowTheTable()
    {
        Texts texts(0);
        StatusInputs in;
        in.tableOpen = true;
        in.recordCount = 3;
        in.exclusive = true;
        in.currentMarked = true;
        StatusBarState s = statusFor(in, texts);
        QVERIFY(s.label2.enabled);
        QVERIFY(s.Label66.enabled);
        QCOMPARE(QString::fromStdString(*s.label2.text), QStringLiteral("EKSKLUSIVT"));
        in.exclusive = false;
        in.currentMarked = false;
        s = statusFor(in, texts);
        QVERIFY(!s.label2.enabled);
        QVERIFY(!s.Label66.enabled);
    }

    void navigation_data()
    {
        QTest::addColumn<int>("command");
        QTest::addColumn<int>("current");
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("target");

        const int first = int(NavCommand::First), previous = int(NavCommand::Previous),
                  next = int(NavCommand::Next), last = int(NavCommand::Last);
        QTest::newRow("first") << first << 3 << 5 << 0;
        QTest::newRow("last") << last << 1 << 5 << 4;
        QTest::newRow("next") << next << 1 << 5 << 2;
        QTest::newRow("previous") << previous << 3 << 5 << 2;
        QTest::newRow("previous on the first row stays") << previous << 0 << 5 << 0;
        QTest::newRow("next on the last row stays") << next << 4 << 5 << 4;
        QTest::newRow("next without a current row") << next << -1 << 5 << 0;
        QTest::newRow("no rows") << first << -1 << 0 << -1;
    }

    void navigation()
    {
        QFETCH(int, command);
        QFETCH(int, current);
        QFETCH(int, rows);
        QFETCH(int, target);
        QCOMPARE(navigationTarget(NavCommand(command), current, rows), target);
    }

    void rowKeys_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<int>("record"); // -1: a RowKeyError

        QTest::newRow("unmarked") << "     0000042" << 42;
        QTest::newRow("marked") << "x    1234567" << 1234567;
        QTest::newRow("letters in the number") << "     00A0042" << -1;
        QTest::newRow("too short") << "     42" << -1;
        QTest::newRow("blanks for digits") << "            " << -1;
    }

    void rowKeys()
    {
        QFETCH(QString, key);
        QFETCH(int, record);
        if (record < 0) {
            QVERIFY_THROWS_EXCEPTION(RowKeyError, recordNumberOfKey(key.toStdString()));
            return;
        }
        QCOMPARE(recordNumberOfKey(key.toStdString()), record);
        QCOMPARE(isMarkedKey(key.toStdString()), key.startsWith(QLatin1Char('x')));
        QCOMPARE(recordNumberOfKey(rowKeyFor(record)), record);
    }

    void openDialogFilter()
    {
        Texts no(0), en(1);
        QCOMPARE(qtNameFilter(QString::fromStdString(no.ss(2098))),
                 QStringLiteral("Databasefiler (*.DBF *.dbf);;Alle filer (*)"));
        QCOMPARE(qtNameFilter(QString::fromStdString(en.ss(2098))),
                 QStringLiteral("Database files (*.DBF *.dbf);;All files (*)"));
    }

    void openDialogStartFolder_data()
    {
        QTest::addColumn<bool>("useOwnFolder");
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("expected");
        QTest::newRow("program folder by default") << false << "/data/kort" << "/opt/kvilbo";
        QTest::newRow("own folder") << true << "  /data/kort  " << "/data/kort";
        QTest::newRow("own folder left blank") << true << "   " << "/opt/kvilbo";
    }

    void openDialogStartFolder()
    {
        QFETCH(bool, useOwnFolder);
        QFETCH(QString, folder);
        QFETCH(QString, expected);
        TKonfig konfig = defaultKonfig();
        konfig.DefMappeJN = useOwnFolder;
        konfig.DefMappePATH.setText(folder.toStdString());
        QCOMPARE(QString::fromStdString(DatabaseSession::startFolder(konfig, "/opt/kvilbo").string()), expected);
    }

    void colourOffsets_data()
    {
        QTest::addColumn<QColor>("colour");
        QTest::addColumn<int>("hue");
        QTest::addColumn<int>("sat");
        QTest::addColumn<QColor>("expected");

        QTest::newRow("no offsets") << QColor(12, 34, 56) << 0 << 0 << QColor(12, 34, 56);
        QTest::newRow("red turned to green") << QColor(255, 0, 0) << 120 << 0 << QColor(0, 255, 0);
        QTest::newRow("turn past a full circle") << QColor(255, 0, 0) << 480 << 0 << QColor(0, 255, 0);
        QTest::newRow("turn backwards") << QColor(255, 0, 0) << -120 << 0 << QColor(0, 0, 255);
        QTest::newRow("all saturation taken") << QColor(255, 0, 0) << 0 << -100 << QColor(128, 128, 128);
        QTest::newRow("grey has no hue") << QColor(128, 128, 128) << 90 << 50 << QColor(128, 128, 128);
    }

    void colourOffsets()
    {
        QFETCH(QColor, colour);
        QFETCH(int, hue);
        QFETCH(int, sat);
        QFETCH(QColor, expected);
        const QColor out = transformColour(colour, hue, sat);
        QVERIFY2(qAbs(out.red() - expected.red()) <= 1 && qAbs(out.green() - expected.green()) <= 1
                     && qAbs(out.blue() - expected.blue()) <= 1,
                 qPrintable(out.name() + " != " + expected.name()));
    }

    void paletteKeepsAlpha()
    {
        QPalette palette;
        palette.setColor(QPalette::Highlight, QColor(255, 0, 0, 100));
        const QPalette out = transformPalette(palette, 120, 0);
        QCOMPARE(out.color(QPalette::Highlight).alpha(), 100);
        QCOMPARE(out.color(QPalette::Highlight).green(), 255);
    }
};

QTEST_MAIN(WindowLogicTest)
#include "window_logic_test.moc"
