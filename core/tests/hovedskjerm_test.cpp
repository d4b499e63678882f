// The main window's start-up and close driven as a user drives them: first
// start, stored bounds, the start-up table, the error dialog, the welcome
// window, the notice, the busy indicator and the message line.

// moc does not read C++20 concepts; it needs none of these headers.
#ifndef Q_MOC_RUN
#include "window_test_support.h"
#endif

#include <QCheckBox>
#include <QDialog>
#include <QDir>
#include <QMenu>
#include <QScreen>
#include <QScrollArea>
#include <QTimer>
#include <fstream>

using namespace kvilbo::core;
using namespace kvilbo::core::testing;

class HovedskjermTest : public WindowTestBase
{
    Q_OBJECT

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
            for (const auto &[menu, first] : {std::pair{"PopupMenu1", 2300}, std::pair{"PopupMenu2", 2200}})
                QCOMPARE(w.findChild<QMenu *>(QString::fromLatin1(menu))->actions().first()->text(),
                         QString::fromStdString(w.texts().ss(first)));
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
