// The card view inside the main window: switched to, edited with keys, and
// left through a toolbar command; the list view's memo cells in the editor window.

#include "cardview/editorvindu.h"
#include "cardview/masked_edit.h"
#include "core/database_session.h"
#include "core/hovedskjerm.h"
#include "core/tests/window_fixture.h"

#include <QApplication>
#include <QHeaderView>
#include <QPlainTextEdit>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

using kvilbo::cardview::MaskedEdit;
using kvilbo::cardview::TForm2;
using namespace kvilbo::core;
using namespace kvilbo::core::testing;

namespace {

void click(TForm3 &w, const char *name)
{
    QTest::mouseClick(w.findChild<QToolButton *>(QString::fromLatin1(name)), Qt::LeftButton);
}

std::string stored(TForm3 &w, int recNo, int field)
{
    w.session().DBF().Go(recNo);
    return w.session().DBF().GetF(field);
}

} // namespace

class CardWindowTest : public QObject {
    Q_OBJECT

    StartOptions options(const QTemporaryDir &folder, FakePrompts &prompts, std::uint16_t language)
    {
        StartOptions o;
        o.programFolder = folder.path().toStdString();
        o.prompts = &prompts;
        o.userLanguage = language;
        return o;
    }

    void open(TForm3 &w, FakePrompts &prompts, const QTemporaryDir &folder)
    {
        w.start();
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        prompts.files.push_back(ChosenDatabase{makeKunder(folder.path().toStdString(), fourCustomers()), false});
        click(w, "ToolButton11");
    }

private slots:
    void nextAfterAnEditWritesToTheCardShown_data()
    {
        QTest::addColumn<int>("language");
        QTest::addColumn<QString>("age");
        QTest::newRow("Norwegian") << 1044 << "41";
        QTest::newRow("English") << 1033 << "41";
    }

    void nextAfterAnEditWritesToTheCardShown()
    {
        QFETCH(int, language);
        QFETCH(QString, age);
        QTemporaryDir folder;
        FakePrompts prompts;
        TForm3 w(options(folder, prompts, std::uint16_t(language)));
        open(w, prompts, folder);
        click(w, "ToolButton2");
        auto *navn = w.findChild<MaskedEdit *>(QStringLiteral("DatabaseField1"));
        auto *alder = w.findChild<MaskedEdit *>(QStringLiteral("DatabaseField3"));
        QVERIFY(navn && alder);
        QCOMPARE(QApplication::focusWidget(), navn);
        QCOMPARE(navn->fieldText(), QStringLiteral("Ola"));

        QTest::keyClick(navn, Qt::Key_End);
        QTest::keyClicks(navn, QStringLiteral("Z"));
        QTest::mouseClick(alder, Qt::LeftButton, {}, QPoint(4, alder->height() / 2));
        QTest::keyClick(alder, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(alder, age);
        click(w, "ToolButton16");

        QCOMPARE(navn->fieldText(), QStringLiteral("Kari"));
        QCOMPARE(stored(w, 1, 1), std::string("OlaZ") + std::string(16, ' '));
        QCOMPARE(stored(w, 1, 3), std::string(" 41"));
        QCOMPARE(stored(w, 2, 1), std::string("Kari") + std::string(16, ' '));
    }

    void refusedValueKeepsTheCardUntilCorrected()
    {
        QTemporaryDir folder;
        FakePrompts prompts;
        TForm3 w(options(folder, prompts, 1044));
        open(w, prompts, folder);
        click(w, "ToolButton2");
        auto *navn = w.findChild<MaskedEdit *>(QStringLiteral("DatabaseField1"));
        auto *alder = w.findChild<MaskedEdit *>(QStringLiteral("DatabaseField3"));
        QVERIFY(navn && alder);

        QTest::mouseClick(alder, Qt::LeftButton, {}, QPoint(4, alder->height() / 2));
        QTest::keyClick(alder, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(alder, QStringLiteral("-"));
        const QString refused = alder->fieldText();
        click(w, "ToolButton16");
        QCOMPARE(navn->fieldText(), QStringLiteral("Ola"));
        QCOMPARE(alder->fieldText(), refused);
        QCOMPARE(QApplication::focusWidget(), alder);
        QCOMPARE(stored(w, 1, 3), std::string(" 40"));
        click(w, "ToolButton16");
        QCOMPARE(navn->fieldText(), QStringLiteral("Ola"));
        QCOMPARE(alder->fieldText(), refused);

        QTest::keyClick(alder, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(alder, QStringLiteral("42"));
        click(w, "ToolButton16");
        QCOMPARE(navn->fieldText(), QStringLiteral("Kari"));
        QCOMPARE(stored(w, 1, 3), std::string(" 42"));
    }

    void listMemoCellsUseTheEditorWindow()
    {
        QTemporaryDir folder;
        FakePrompts prompts;
        TForm3 w(options(folder, prompts, 1044));
        open(w, prompts, folder);
        click(w, "ToolButton1");
        auto *list = w.findChild<QTableView *>(QStringLiteral("kortliste"));
        QVERIFY(list);
        const QPoint notat(list->horizontalHeader()->sectionViewportPosition(3) + 5,
                           list->verticalHeader()->sectionViewportPosition(0) + 5);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, notat);
        bool seen = false;
        QTimer::singleShot(0, &w, [&] {
            auto *editor = qobject_cast<TForm2 *>(QApplication::activeModalWidget());
            QVERIFY(editor);
            seen = true;
            auto *memo = editor->findChild<QPlainTextEdit *>(QStringLiteral("sMemo1"));
            QTest::keyClicks(memo, QStringLiteral("Ny kunde"));
            QTest::mouseClick(editor->findChild<QToolButton *>(QStringLiteral("ToolButton11")), Qt::LeftButton);
        });
        QTest::keyClick(list, Qt::Key_Space);
        QVERIFY(seen);
        w.session().DBF().Go(1);
        QCOMPARE(w.session().DBF().MemoRead(4), std::string("Ny kunde"));
    }
};

QTEST_MAIN(CardWindowTest)
#include "card_window_test.moc"
