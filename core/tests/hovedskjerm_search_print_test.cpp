// The marking menu, the quick search box, the advanced search window and the
// print menu of the main window, driven as a user drives them: menu actions,
// typing and Enter, clicks on the link label and the buttons.

// moc does not read C++20 concepts; it needs none of these headers.
#ifndef Q_MOC_RUN
#include "window_test_support.h"

#include "core/navigation.h"
#include "cardview/editorvindu.h"
#include "printing/print_geometry.h"
#include "printing/print_preview_window.h"
#endif

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTreeWidget>

using namespace kvilbo::core;
using namespace kvilbo::core::testing;

namespace {

QList<int> markedRows(TForm3 &w)
{
    QList<int> rows;
    for (int r = 0; r < w.kortliste().rowCount(); ++r) {
        if (isMarkedKey(w.kortliste().rowKey(r)))
            rows << r;
    }
    return rows;
}

/// Triggers the menu entry objectName of the drop-down of button, which must be enabled.
void triggerMenu(TForm3 &w, const char *button, const QString &objectName, int textNumber = 0)
{
    QMenu *menu = w.findChild<QToolButton *>(QString::fromLatin1(button))->menu();
    QVERIFY(menu);
    for (QAction *action : menu->actions()) {
        if ((!objectName.isEmpty() && action->objectName() == objectName)
            || (textNumber && action->data().toInt() == textNumber)) {
            QVERIFY2(action->isEnabled(), qPrintable(action->text()));
            action->trigger();
            return;
        }
    }
    QFAIL(qPrintable(QStringLiteral("no menu entry %1 %2").arg(objectName).arg(textNumber)));
}

} // namespace

class HovedskjermSearchPrintTest : public WindowTestBase
{
    Q_OBJECT

private:
    void markRows(TForm3 &w, const QList<int> &rows)
    {
        for (int r : rows) {
            w.kortliste().setCurrentRow(r);
            click(w, "ToolButton18");
        }
        w.kortliste().setCurrentRow(0);
    }

private slots:
    void menusAreDisabledWithoutADatabase()
    {
        QTemporaryDir folder;
        FakePrompts prompts;
        TForm3 w(options(folder, prompts));
        w.start();
        for (const char *button : {"ToolButton5", "ToolButton18"}) {
            for (QAction *action : w.findChild<QToolButton *>(button)->menu()->actions())
                QVERIFY2(!action->isEnabled(), qPrintable(action->text()));
        }
        QVERIFY(!w.findChild<QLineEdit *>("sEdit1")->isEnabled());
        QVERIFY(!w.findChild<QLabel *>("sLabel4")->isEnabled());

        openWithDialog(w, prompts, demo(folder));
        click(w, "ToolButton26");
        QVERIFY(!w.findChild<QToolButton *>("ToolButton5")->isEnabled());
        QVERIFY(!w.findChild<QCheckBox *>("sCheckBox1")->isEnabled());
    }

    void markingMenu_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<QList<int>>("marked");
        QTest::addColumn<bool>("exclusive");
        QTest::addColumn<QList<int>>("expected");
        QTest::addColumn<int>("records");
        QTest::addColumn<QString>("message");
        // The current row is the first one (Ola, 40) when the command runs.
        QTest::newRow("mark current") << "Marker1" << QList<int>{2} << false << QList<int>{0, 2} << 4 << "";
        QTest::newRow("unmark current") << "Slavmarkeringpnvrendekort1" << QList<int>{0, 3} << false
                                        << QList<int>{3} << 4 << "";
        QTest::newRow("mark all") << "Markrallekort1" << QList<int>{1} << false << QList<int>{0, 1, 2, 3} << 4 << "";
        QTest::newRow("unmark all") << "Fjernallemarkeringerpallekort1" << QList<int>{1, 2} << false
                                    << QList<int>{} << 4 << "";
        QTest::newRow("count") << "ellhvormangekortsomermarkert1" << QList<int>{1, 3} << false
                               << QList<int>{1, 3} << 4 << "FOUND 2 MARKED RECORDS";
        QTest::newRow("count none") << "ellhvormangekortsomermarkert1" << QList<int>{} << false << QList<int>{}
                                    << 4 << "FOUND 0 MARKED RECORDS";
        QTest::newRow("delete marked") << "Fysisk1" << QList<int>{1, 3} << true << QList<int>{} << 2 << "";
        QTest::newRow("delete needs exclusive") << "Fysisk1" << QList<int>{1} << false << QList<int>{1} << 4 << "";
        QTest::newRow("sum of ALDER") << "Summretfeltpallemarkertkort1" << QList<int>{0, 1} << false
                                      << QList<int>{0, 1} << 4 << "The sum is : 65";
    }

    void markingMenu()
    {
        QFETCH(QString, action);
        QFETCH(QList<int>, marked);
        QFETCH(bool, exclusive);
        QFETCH(QList<int>, expected);
        QFETCH(int, records);
        QFETCH(QString, message);
        QTemporaryDir folder;
        FakePrompts prompts;
        // The sum asks for a field: ALDER, the third.
        prompts.onModal = [](QDialog &d) {
            if (d.objectName() != "Form1")
                return;
            d.show();
            auto *fields = d.findChild<QTreeWidget *>();
            QVERIFY(fields && fields->topLevelItemCount() == 4);
            fields->setCurrentItem(fields->topLevelItem(2));
        };
        TForm3 w(options(folder, prompts));
        w.start();
        openWithDialog(w, prompts, demo(folder, exclusive));
        markRows(w, marked);

        triggerMenu(w, "ToolButton18", action);

        QCOMPARE(prompts.errorTexts, QStringList());
        QCOMPARE(markedRows(w), expected);
        QCOMPARE(w.session().DBF().RecCount(), records);
        QCOMPARE(w.kortliste().rowCount(), records);
        QCOMPARE(labelEnabled(w, "Label66"), expected.contains(w.kortliste().currentRow()));
        if (!message.isEmpty()) {
            QVERIFY2(labelText(w, "msgtekst1").endsWith(message), qPrintable(labelText(w, "msgtekst1")));
            QVERIFY(logLines(folder).filter(message).size() == 1);
        }
        if (action == "Fysisk1" && exclusive) {
            QCOMPARE(prompts.questions.size(), 1);
            QCOMPARE(labelText(w, "akort"), QStringLiteral("000002"));
            // Kari and Anne went; Ola and Per stay in their order.
            w.session().DBF().Go(2);
            QCOMPARE(QString::fromStdString(w.session().DBF().GetF(1)).trimmed(), QStringLiteral("Per"));
        }
        if (action == "Fysisk1" && !exclusive)
            QCOMPARE(prompts.messages.size(), 1);
    }

    void sumOverATextThatIsNoNumberReachesTheErrorBox()
    {
        QTemporaryDir folder;
        FakePrompts prompts;
        prompts.onModal = [](QDialog &d) {
            if (d.objectName() != "Form1")
                return;
            d.show();
            auto *fields = d.findChild<QTreeWidget *>();
            fields->setCurrentItem(fields->topLevelItem(2));
        };
        TForm3 w(options(folder, prompts));
        w.start();
        openWithDialog(w, prompts, {makeKunder(folder.path().toStdString(), {{"Ola", "Oslo", "4x"}}), false});
        QCOMPARE(w.kortliste().rowCount(), 1);
        triggerMenu(w, "ToolButton18", "Markrallekort1");
        triggerMenu(w, "ToolButton18", "Summretfeltpallemarkertkort1");
        QCOMPARE(prompts.errorTexts.size(), 1);
        QVERIFY2(prompts.errorTexts[0].contains("4x"), qPrintable(prompts.errorTexts[0]));
        QVERIFY(w.session().isOpen());
    }

    void deletionCancelledKeepsTheCards()
    {
        QTemporaryDir folder;
        FakePrompts prompts;
        prompts.confirmAnswer = false;
        TForm3 w(options(folder, prompts));
        w.start();
        openWithDialog(w, prompts, demo(folder, true));
        markRows(w, {1, 2});
        triggerMenu(w, "ToolButton18", "Fysisk1");
        QCOMPARE(prompts.questions.size(), 1);
        QCOMPARE(w.session().DBF().RecCount(), 4);
        QCOMPARE(markedRows(w), (QList<int>{1, 2}));
    }

    void quickSearch_data()
    {
        QTest::addColumn<bool>("markHit");
        QTest::newRow("moves to the hit") << false;
        QTest::newRow("moves to and marks the hit") << true;
    }

    void quickSearch()
    {
        QFETCH(bool, markHit);
        QTemporaryDir folder;
        FakePrompts prompts;
        TForm3 w(options(folder, prompts));
        w.start();
        openWithDialog(w, prompts, demo(folder));
        auto *box = w.findChild<QLineEdit *>("sEdit1");
        auto *mark = w.findChild<QCheckBox *>("sCheckBox1");
        if (markHit)
            QTest::mouseClick(mark, Qt::LeftButton, {}, QPoint(5, mark->height() / 2));
        QCOMPARE(mark->isChecked(), markHit);

        box->setFocus();
        QTest::keyClicks(box, "Per");
        QTest::keyClick(box, Qt::Key_Return);

        QCOMPARE(prompts.errorTexts, QStringList());
        QCOMPARE(w.kortliste().currentRow(), 2);
        QCOMPARE(currentRecord(w), 3);
        QCOMPARE(labelText(w, "nkort"), QStringLiteral("000003"));
        QCOMPARE(markedRows(w), markHit ? QList<int>{2} : QList<int>{});
        // The text is selected, so the next search can be typed over it.
        QCOMPARE(box->selectedText(), QStringLiteral("Per"));
    }

    void advancedSearchWindowFromTheLinkLabel()
    {
        QTemporaryDir folder;
        FakePrompts prompts;
        QStringList fieldItems;
        bool visibleWhileShown = false;
        QList<int> markedWhileShown;
        TForm3 w(options(folder, prompts));
        prompts.onModal = [&](QDialog &d) {
            if (d.objectName() != "FormSokemotor")
                return;
            d.show();
            visibleWhileShown = d.isVisible();
            auto *field = d.findChild<QComboBox *>("scombobox1");
            QVERIFY(field);
            for (int i = 0; i < field->count(); ++i)
                fieldItems << field->itemText(i);
            // Row one starts on the first field, NAVN.
            auto *value = d.findChild<QLineEdit *>("sMaskEdit1");
            QVERIFY(value);
            value->setFocus();
            QTest::keyClicks(value, "Kari");
            QTest::keyClick(value, Qt::Key_Tab);
            QTest::mouseClick(d.findChild<QPushButton *>("sButton2"), Qt::LeftButton);
            markedWhileShown = markedRows(w);
            QTest::mouseClick(d.findChild<QPushButton *>("sButton1"), Qt::LeftButton);
            QVERIFY(!d.isVisible());
        };
        w.start();
        openWithDialog(w, prompts, demo(folder));
        prompts.modals.clear();

        QTest::mouseClick(w.findChild<QLabel *>("sLabel4"), Qt::LeftButton);

        QCOMPARE(prompts.modals, QStringList{"FormSokemotor"});
        QVERIFY(visibleWhileShown);
        QVERIFY2(fieldItems.filter("NAVN").size() == 1, qPrintable(fieldItems.join('|')));
        QCOMPARE(markedWhileShown, QList<int>{1});
        QCOMPARE(markedRows(w), QList<int>{1});
        QCOMPARE(prompts.errorTexts, QStringList());
    }

    void printMenu_data()
    {
        QTest::addColumn<int>("command");
        QTest::addColumn<QList<int>>("marked");
        QTest::addColumn<int>("pages"); // -1: no preview
        QTest::addColumn<int>("rowAfter");
        QTest::addColumn<QString>("message");
        // Each starts on the third row (Per, record 3).
        QTest::newRow("current card") << 2300 << QList<int>{} << 1 << 2 << "";
        QTest::newRow("marked cards") << 2301 << QList<int>{1, 3} << 2 << 0 << "";
        QTest::newRow("list of marked") << 2303 << QList<int>{1, 3} << 1 << 2 << "";
        QTest::newRow("list of marked, none marked") << 2303 << QList<int>{} << -1 << 2
                                                     << "No records is selected - No Printing";
        QTest::newRow("labels of marked") << 2308 << QList<int>{1} << 1 << 2 << "";
        QTest::newRow("labels of all") << 2309 << QList<int>{} << 1 << 2 << "";
    }

    void printMenu()
    {
        QFETCH(int, command);
        QFETCH(QList<int>, marked);
        QFETCH(int, pages);
        QFETCH(int, rowAfter);
        QFETCH(QString, message);
        QTemporaryDir folder;
        FakePrompts prompts;
        int previewPages = -1;
        prompts.onModal = [&](QDialog &d) {
            if (auto *preview = qobject_cast<kvilbo::printing::TForm9 *>(&d))
                previewPages = preview->document().pageCount();
        };
        TForm3 w(options(folder, prompts));
        w.start();
        openWithDialog(w, prompts, demo(folder));
        markRows(w, marked);
        naviger(w, 2);
        prompts.modals.clear();

        triggerMenu(w, "ToolButton5", QString(), command);

        QCOMPARE(prompts.errorTexts, QStringList());
        QCOMPARE(prompts.modals, pages < 0 ? QStringList{} : QStringList{"Form9"});
        QCOMPARE(previewPages, pages);
        QCOMPARE(currentRecord(w), 3);
        QCOMPARE(w.kortliste().currentRow(), rowAfter);
        QCOMPARE(markedRows(w), marked);
        if (!message.isEmpty())
            QVERIFY2(logLines(folder).filter(message).size() == 1, qPrintable(logLines(folder).join('\n')));
    }

    void printSettingsWindowFromTheMenu()
    {
        QTemporaryDir folder;
        FakePrompts prompts;
        TForm3 w(options(folder, prompts));
        w.start();
        openWithDialog(w, prompts, demo(folder));
        prompts.modals.clear();
        triggerMenu(w, "ToolButton5", QString(), 2306);
        QCOMPARE(prompts.modals, QStringList{"FormModiListeUtskrift"});
        QCOMPARE(prompts.errorTexts, QStringList());
    }

    void editorPrintButtonPrintsItsText()
    {
        QTemporaryDir folder;
        FakePrompts prompts;
        QString printed;
        TForm3 w(options(folder, prompts));
        w.start();
        openWithDialog(w, prompts, demo(folder));
        auto *editor = w.findChild<kvilbo::cardview::TForm2 *>("Form2");
        QVERIFY(editor);
        auto *print = editor->findChild<QToolButton *>("ToolButton9");
        QVERIFY(print && print->isEnabled());
        prompts.onModal = [&](QDialog &d) {
            if (auto *preview = qobject_cast<kvilbo::printing::TForm9 *>(&d))
                printed = preview->RichEdit()->toPlainText();
        };
        editor->findChild<QPlainTextEdit *>("sMemo1")->setPlainText("A note to print");
        prompts.modals.clear();
        QTest::mouseClick(print, Qt::LeftButton);
        QCOMPARE(prompts.modals, QStringList{"Form9"});
        QCOMPARE(printed, QStringLiteral("A note to print"));
        QCOMPARE(prompts.errorTexts, QStringList());
    }

    void printListOfAllCardsReachesThePreview_data()
    {
        QTest::addColumn<int>("extraCards");
        QTest::addColumn<int>("pages");
        QTest::newRow("four cards") << 0 << 1;
        QTest::newRow("a page and one line") << -1 << 2; // -1: one line more than a page holds
    }

    void printListOfAllCardsReachesThePreview()
    {
        QFETCH(int, extraCards);
        QFETCH(int, pages);
        QTemporaryDir folder;
        FakePrompts prompts;
        int previewPages = -1;
        int linesOnPage = 0;
        prompts.onModal = [&](QDialog &d) {
            auto *preview = qobject_cast<kvilbo::printing::TForm9 *>(&d);
            if (!preview)
                return;
            kvilbo::printing::PreviewDocument &doc = preview->document();
            previewPages = doc.pageCount();
            linesOnPage = kvilbo::printing::linesPerPage(doc.paperHeight(),
                                                         doc.textExtent(QStringLiteral("WWW er kult")).height());
        };
        TForm3 w(options(folder, prompts));
        w.start();
        std::vector<Kunde> cards = fourCustomers();
        if (extraCards < 0) {
            // How many lines a page holds is learnt from a first job.
            openWithDialog(w, prompts, demo(folder));
            triggerMenu(w, "ToolButton5", QString(), 2304);
            QVERIFY(linesOnPage > 4);
            click(w, "ToolButton26");
            while (int(cards.size()) < linesOnPage + 1)
                cards.push_back({"Kunde" + std::to_string(cards.size()), "Moss", "1"});
        }
        QTemporaryDir tableFolder;
        openWithDialog(w, prompts, {makeKunder(tableFolder.path().toStdString(), cards), false});
        naviger(w, 2);
        prompts.modals.clear();

        triggerMenu(w, "ToolButton5", QString(), 2304);

        QCOMPARE(prompts.errorTexts, QStringList());
        QCOMPARE(prompts.modals, QStringList{"Form9"});
        QCOMPARE(previewPages, pages);
        QCOMPARE(currentRecord(w), 3);
        QCOMPARE(w.kortliste().currentRow(), 2);
    }

    void printButtonPrintsTheCurrentCard()
    {
        QTemporaryDir folder;
        FakePrompts prompts;
        int previewPages = -1;
        prompts.onModal = [&](QDialog &d) {
            if (auto *preview = qobject_cast<kvilbo::printing::TForm9 *>(&d))
                previewPages = preview->document().pageCount();
        };
        TForm3 w(options(folder, prompts));
        w.start();
        openWithDialog(w, prompts, demo(folder));
        naviger(w, 1);
        prompts.modals.clear();
        click(w, "ToolButton5");
        QCOMPARE(prompts.errorTexts, QStringList());
        QCOMPARE(prompts.modals, QStringList{"Form9"});
        QCOMPARE(previewPages, 1);
        QCOMPARE(currentRecord(w), 2);
    }

private:
    /// Moves to row with the next button.
    void naviger(TForm3 &w, int row)
    {
        click(w, "ToolButton12");
        for (int i = 0; i < row; ++i)
            click(w, "ToolButton16");
        QCOMPARE(w.kortliste().currentRow(), row);
    }
};

QTEST_MAIN(HovedskjermSearchPrintTest)
#include "hovedskjerm_search_print_test.moc"
