#include "core/config.h"
#include "core/messages.h"
#include "dialog_test_support.h"
#include "dialogs/lagnydatabase.h"

#include <QComboBox>
#include <QDropEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

#include <filesystem>
#include <fstream>

using namespace kvilbo;
using namespace kvilbo::dialogs;
using namespace kvilbo::dialogs::testing;

namespace {

std::string readBytes(const std::string &file)
{
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

} // namespace

class WizardWindowTest : public QObject
{
    Q_OBJECT

private:
    core::TKonfig m_konfig = core::defaultKonfig();
    core::Texts m_texts{0};
    ScriptedPrompts m_prompts;
    QTemporaryDir m_dir;

    QString text(int n) const { return QString::fromStdString(m_texts.ss(n)); }
    QString path(const char *name) const { return m_dir.filePath(QLatin1String(name)); }

    struct Window
    {
        explicit Window(WizardWindowTest &t)
            : form(t.m_konfig, t.m_texts, t.m_dir.path().toStdString(), &t.m_prompts)
        {
            form.show();
            QVERIFY(QTest::qWaitForWindowExposed(&form));
        }
        QTreeWidget *list() { return child<QTreeWidget>(form, "sListView2"); }
        QLineEdit *name() { return child<QLineEdit>(form, "sEdit3"); }
        QComboBox *type() { return child<QComboBox>(form, "sComboBox1"); }
        QSpinBox *length() { return child<QSpinBox>(form, "sSpinEdit5"); }
        QSpinBox *decimals() { return child<QSpinBox>(form, "sSpinEdit6"); }
        QLabel *meld() { return child<QLabel>(form, "meld"); }
        QStringList row(int i)
        {
            QStringList cells;
            for (int c = 0; c < 4; ++c)
                cells << list()->topLevelItem(i)->text(c);
            return cells;
        }
        void typeName(const QString &typed)
        {
            name()->setFocus();
            name()->selectAll();
            QTest::keyClick(name(), Qt::Key_Backspace);
            QTest::keyClicks(name(), typed);
        }
        void chooseType(int index)
        {
            type()->setFocus();
            while (type()->currentIndex() < index)
                QTest::keyClick(type(), Qt::Key_Down);
            while (type()->currentIndex() > index)
                QTest::keyClick(type(), Qt::Key_Up);
        }
        void setSpin(QSpinBox *box, int value)
        {
            box->setFocus();
            box->selectAll();
            QTest::keyClicks(box, QString::number(value));
            QTest::keyClick(box, Qt::Key_Tab);
        }
        void add() { click(child<QPushButton>(form, "sSpeedButton1")); }
        void remove() { click(child<QPushButton>(form, "sSpeedButton2")); }
        void ok() { click(child<QPushButton>(form, "sButton2")); }
        void setFile(const QString &file)
        {
            auto *box = child<QLineEdit>(form, "sFilenameEdit1");
            box->setFocus();
            QTest::keyClicks(box, file);
        }
        TFormLagNyDatabase form;
    };

private slots:
    void opensWithOneUnnamedCharacterRow()
    {
        Window w(*this);
        QCOMPARE(w.form.windowTitle(), text(4080));
        QCOMPARE(w.list()->topLevelItemCount(), 1);
        QCOMPARE(w.row(0), (QStringList{text(4070), text(4090), "100", "00"}));
        QCOMPARE(w.name()->text(), text(4070));
        QCOMPARE(w.meld()->text(), text(4050));
        QVERIFY(w.length()->isEnabled());
        QVERIFY(!w.decimals()->isEnabled());
    }

    void nameBoxTakesOnlyNameCharactersInUpperCase()
    {
        Window w(*this);
        w.typeName(QStringLiteral("navn 1-x.yz"));
        QCOMPARE(w.name()->text(), QStringLiteral("NAVN1XYZ"));
        QCOMPARE(w.row(0).at(0), QStringLiteral("NAVN1XYZ"));
        w.typeName(QStringLiteral("abcdefghijklm"));
        QCOMPARE(w.row(0).at(0), QStringLiteral("ABCDEFGHIJ"));
        QTest::keyClick(w.name(), Qt::Key_Return);
        QVERIFY2(w.form.isVisible(), "Enter in the name box does not create");
    }

    void typeChoiceAppliesLengthAndDecimalRules()
    {
        Window w(*this);
        w.chooseType(1);
        QCOMPARE(w.row(0), (QStringList{text(4070), text(4091), "018", "00"}));
        QVERIFY(w.length()->isEnabled() && w.decimals()->isEnabled());
        QCOMPARE(w.length()->maximum(), 18);
        w.setSpin(w.decimals(), 4);
        QCOMPARE(w.row(0).at(3), QStringLiteral("04"));
        w.chooseType(2);
        QCOMPARE(w.row(0), (QStringList{text(4070), text(4092), "001", "00"}));
        QVERIFY(!w.length()->isEnabled() && !w.decimals()->isEnabled());
        w.chooseType(4);
        QCOMPARE(w.row(0).mid(1), (QStringList{text(4094), "004", "00"}));
        w.chooseType(0);
        w.setSpin(w.length(), 255);
        QCOMPARE(w.row(0).at(2), QStringLiteral("255"));
    }

    void addedRowsAreSelectedAndTheLastRowStays()
    {
        Window w(*this);
        w.typeName(QStringLiteral("FORSTE"));
        w.add();
        QCOMPARE(w.list()->topLevelItemCount(), 2);
        QCOMPARE(w.list()->currentItem(), w.list()->topLevelItem(1));
        QCOMPARE(w.name()->text(), text(4070));
        w.remove();
        QCOMPARE(w.list()->topLevelItemCount(), 1);
        QCOMPARE(w.name()->text(), QStringLiteral("FORSTE"));
        w.remove();
        QCOMPARE(w.list()->topLevelItemCount(), 1);
    }

    void clickingARowLoadsItIntoTheBoxes()
    {
        Window w(*this);
        w.chooseType(3);
        w.add();
        QTreeWidget *list = w.list();
        const QRect first = list->visualItemRect(list->topLevelItem(0));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, first.center());
        QCOMPARE(w.type()->currentIndex(), 3);
        QCOMPARE(w.length()->value(), 8);
        QVERIFY(!w.length()->isEnabled());
    }

    void droppedRowMovesBeforeTheTargetRow()
    {
        Window w(*this);
        for (const char *name : {"A", "B", "C"}) {
            w.typeName(QLatin1String(name));
            w.add();
        }
        w.typeName(QStringLiteral("D"));
        QTreeWidget *list = w.list();
        std::unique_ptr<QMimeData> mime(list->model()->mimeData(list->selectionModel()->selectedIndexes()));
        const QPoint onFirst = list->visualItemRect(list->topLevelItem(0)).center();
        const auto dropAt = [&](QPoint at) {
            QDragEnterEvent enter(at, Qt::MoveAction, mime.get(), Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(list->viewport(), &enter);
            QVERIFY(enter.isAccepted());
            QDropEvent drop(at, Qt::MoveAction, mime.get(), Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(list->viewport(), &drop);
        };
        const auto names = [&] {
            QStringList n;
            for (int i = 0; i < list->topLevelItemCount(); ++i)
                n << list->topLevelItem(i)->text(0);
            return n;
        };
        dropAt(onFirst);
        QCOMPARE(names(), (QStringList{"D", "A", "B", "C"}));
        QCOMPARE(w.name()->text(), QStringLiteral("D"));
        const QRect last = list->visualItemRect(list->topLevelItem(3));
        dropAt(QPoint(last.center().x(), last.bottom() + 20));
        QCOMPARE(names(), (QStringList{"A", "B", "C", "D"}));
    }

    void refusalsShowTheirMessageAndKeepTheWindow_data()
    {
        QTest::addColumn<int>("message");
        QTest::addColumn<bool>("secondRow");
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("decimals");
        QTest::addColumn<QString>("file");
        QTest::newRow("two unnamed rows") << 4056 << true << QString() << -1 << "T.DBF";
        QTest::newRow("decimals fill the length") << 4052 << false << "TALL" << 5 << "T.DBF";
        QTest::newRow("leading underscore") << 4051 << false << "_TALL" << -1 << "T.DBF";
        QTest::newRow("no file name") << 4061 << false << "TALL" << -1 << "";
    }

    void refusalsShowTheirMessageAndKeepTheWindow()
    {
        QFETCH(int, message);
        QFETCH(bool, secondRow);
        QFETCH(QString, name);
        QFETCH(int, decimals);
        QFETCH(QString, file);
        Window w(*this);
        if (!name.isEmpty())
            w.typeName(name);
        if (decimals >= 0) {
            w.chooseType(1);
            w.setSpin(w.length(), 5);
            w.setSpin(w.decimals(), decimals);
        }
        if (secondRow)
            w.add();
        if (!file.isEmpty())
            w.setFile(path(file.toLatin1().constData()));
        w.ok();
        QCOMPARE(w.meld()->text(), text(message));
        QVERIFY(w.form.isVisible());
        QVERIFY(!QFile::exists(path("T.DBF")));
    }

    void okCreatesTheTableByteForByte()
    {
        Window w(*this);
        w.typeName(QStringLiteral("navn"));
        w.setSpin(w.length(), 30);
        w.add();
        w.typeName(QStringLiteral("notat"));
        w.chooseType(4);
        w.setFile(QStringLiteral("  ") + path("KUNDER.DBF"));
        w.ok();
        QVERIFY(!w.form.isVisible());
        QCOMPARE(w.form.result(), int(QDialog::Accepted));
        QVERIFY(m_prompts.questions.isEmpty());

        const std::string b = readBytes(path("KUNDER.DBF").toStdString());
        constexpr std::size_t headLen = 32 * 2 + 33 + 263;
        QCOMPARE(b.size(), headLen + 35 + 1);
        QCOMPARE(static_cast<unsigned char>(b[0]), 0x30);
        QCOMPARE(b.substr(4, 8), std::string("\x01\0\0\0\x68\x01\x23\0", 8));
        QCOMPARE(b.substr(32, 12), std::string("NAVN\0\0\0\0\0\0\0C", 12));
        QCOMPARE(static_cast<unsigned char>(b[48]), 30);
        QCOMPARE(b.substr(64, 12), std::string("NOTAT\0\0\0\0\0\0M", 12));
        QCOMPARE(static_cast<unsigned char>(b[80]), 4);
        QCOMPARE(b.substr(headLen - 264, 1), std::string("\x0D"));
        QCOMPARE(b.substr(headLen, 35), std::string(35, ' '));
        QCOMPARE(b.back(), '\x1A');
        QCOMPARE(QFileInfo(path("KUNDER.FPT")).size(), qint64(512));
    }

    void bareNameIsCreatedInTheStartFolder()
    {
        Window w(*this);
        w.typeName(QStringLiteral("NAVN"));
        w.setFile(QStringLiteral("RELATIV.DBF"));
        w.ok();
        QVERIFY(!w.form.isVisible());
        QVERIFY(QFile::exists(path("RELATIV.DBF")));
        QCOMPARE(QString::fromStdString(w.form.createdFile()), path("RELATIV.DBF"));
    }

    void answeringNoKeepsTheExistingFiles()
    {
        {
            QFile old(path("GAMMEL.DBF"));
            QVERIFY(old.open(QIODevice::WriteOnly));
            old.write("old");
        }
        Window w(*this);
        w.typeName(QStringLiteral("NAVN"));
        w.setFile(path("GAMMEL.DBF"));
        m_prompts.answers = {Answer::No};
        w.ok();
        QCOMPARE(m_prompts.questions.size(), 1);
        QVERIFY(m_prompts.questions.first().contains(path("GAMMEL.DBF")));
        QCOMPARE(w.meld()->text(), text(4060));
        QVERIFY(w.form.isVisible());
        QCOMPARE(QFileInfo(path("GAMMEL.DBF")).size(), qint64(3));
    }

    void browsingStartsInTheProgramFolderAndAddsDbf()
    {
        Window w(*this);
        m_prompts.fileToChoose = path("nytt");
        click(child<QWidget>(w.form, "sFilenameEdit1Button"));
        QCOMPARE(m_prompts.lastStartFolder, m_dir.path());
        QCOMPARE(m_prompts.lastSelectedFilter, 1);
        QCOMPARE(m_prompts.lastFilter, text(4085));
        QCOMPARE(child<QLineEdit>(w.form, "sFilenameEdit1")->text(), path("nytt.DBF"));
    }

    void escClosesOnlyWhenTheSettingAllowsIt()
    {
        Window w(*this);
        m_konfig.DefEsc = false;
        QTest::keyClick(w.list(), Qt::Key_Escape);
        QVERIFY(w.form.isVisible());
        m_konfig.DefEsc = true;
        QTest::keyClick(w.list(), Qt::Key_Escape);
        QVERIFY(!w.form.isVisible());
        QCOMPARE(w.form.result(), int(QDialog::Rejected));
    }

    void cleanup()
    {
        m_prompts = ScriptedPrompts();
        m_konfig = core::defaultKonfig();
        for (const QString &file : QDir(m_dir.path()).entryList(QDir::Files))
            QFile::remove(m_dir.filePath(file));
    }
};

QTEST_MAIN(WizardWindowTest)
#include "wizard_window_test.moc"
