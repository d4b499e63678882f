// The editor window driven by keys and clicks; its file dialogs are answered
// by the test.

#include "cardview/editorvindu.h"
#include "core/config.h"
#include "core/messages.h"

#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

using kvilbo::cardview::TForm2;

Q_DECLARE_METATYPE(std::exception_ptr)

namespace {

struct Editor {
    explicit Editor(int spraak = 0) : texts(static_cast<std::uint16_t>(spraak))
    {
        konfig = kvilbo::core::defaultKonfig();
        konfig.ListeStdTxt1.setText("  T  ");
        window = std::make_unique<TForm2>(konfig, texts, dir.path().toStdString());
        window->setDialogs({[this](QWidget *, const QString &, const QString &, const QString &) { return openAnswer; },
                            [this](QWidget *, const QString &, const QString &) { return saveAnswer; }});
    }
    QToolButton *button(const char *name) const
    {
        return window->findChild<QToolButton *>(QString::fromLatin1(name));
    }
    QPlainTextEdit *memo() const { return window->findChild<QPlainTextEdit *>(QStringLiteral("sMemo1")); }

    // Runs RedigerTekst with text; while the window is open, during() acts on it.
    QString edit(const QString &text, const std::function<void()> &during)
    {
        QTimer::singleShot(0, window.get(), [this, during] {
            QVERIFY(QTest::qWaitForWindowExposed(window.get()));
            during();
            if (window->isVisible())
                window->reject();
        });
        return window->RedigerTekst(text);
    }

    QTemporaryDir dir;
    kvilbo::core::TKonfig konfig;
    kvilbo::core::Texts texts;
    std::unique_ptr<TForm2> window;
    QString openAnswer;
    QString saveAnswer;
};

QByteArray fileBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

class EditorWindowTest : public QObject {
    Q_OBJECT

private slots:
    void closingAtOnceReturnsTheTextUnchanged()
    {
        Editor e;
        QCOMPARE(e.edit(QString(), [&] { QTest::mouseClick(e.button("ToolButton11"), Qt::LeftButton); }), QString());
        QCOMPARE(e.edit(QStringLiteral("a\r\nb"), [&] { QTest::keyClick(e.memo(), Qt::Key_Escape); }),
                 QStringLiteral("a\r\nb"));
        QVERIFY(!e.window->isVisible());
    }

    void escClosesOnlyWithDefEsc()
    {
        Editor e;
        e.konfig.DefEsc = false;
        bool stillOpen = false;
        e.edit(QStringLiteral("x"), [&] {
            QTest::keyClick(e.memo(), Qt::Key_Escape);
            stillOpen = e.window->isVisible();
        });
        QVERIFY(stillOpen);
    }

    void typedTextIsReturnedAndCaptionsFollowTheLanguage()
    {
        Editor e(1);
        const QString result = e.edit(QStringLiteral("ab"), [&] {
            QTest::keyClick(e.memo(), Qt::Key_End, Qt::ControlModifier);
            QTest::keyClicks(e.memo(), QStringLiteral("c"));
            QTest::keyClick(e.memo(), Qt::Key_Return);
            QTest::keyClicks(e.memo(), QStringLiteral("d"));
        });
        QCOMPARE(result, QStringLiteral("abc\r\nd"));
        QCOMPARE(e.window->windowTitle(), QStringLiteral("Text Editor"));
        QCOMPARE(e.window->findChild<QLabel *>(QStringLiteral("sLabel1"))->text(), QStringLiteral("Memofield Editor"));
    }

    void predefinedTextIsInsertedAfterTheSelection()
    {
        Editor e;
        QString hint;
        const QString result = e.edit(QStringLiteral("xabcx"), [&] {
            QTest::keyClick(e.memo(), Qt::Key_Home);
            QTest::keyClick(e.memo(), Qt::Key_Right);
            for (int i = 0; i < 3; ++i)
                QTest::keyClick(e.memo(), Qt::Key_Right, Qt::ShiftModifier);
            hint = e.button("ToolButton17")->toolTip();
            QTest::mouseClick(e.button("ToolButton17"), Qt::LeftButton);
            QCOMPARE(e.memo()->textCursor().position(), 5);
        });
        QCOMPARE(hint, QStringLiteral("T"));
        QCOMPARE(result, QStringLiteral("xabcTx"));

        e.konfig.ListeStdTxt2.setText("Ny tekst");
        e.edit(QString(), [&] { hint = e.button("ToolButton2")->toolTip(); });
        QCOMPARE(hint, QStringLiteral("Ny tekst"));
    }

    void lineAndColumnFollowTheCaret()
    {
        Editor e;
        QString line, column;
        e.edit(QStringLiteral("first\nsecond"), [&] {
            QTest::keyClick(e.memo(), Qt::Key_Home, Qt::ControlModifier);
            QTest::keyClick(e.memo(), Qt::Key_Down);
            QTest::keyClick(e.memo(), Qt::Key_Home);
            QTest::keyClick(e.memo(), Qt::Key_Right);
            QTest::keyClick(e.memo(), Qt::Key_Right);
            line = e.window->findChild<QLabel *>(QStringLiteral("linje"))->text();
            column = e.window->findChild<QLabel *>(QStringLiteral("kolonne"))->text();
        });
        QCOMPARE(line, QStringLiteral("00002"));
        QCOMPARE(column, QStringLiteral("0003"));
    }

    void exportForcesTxtAndWritesCp1252()
    {
        Editor e;
        e.saveAnswer = e.dir.filePath(QStringLiteral("notat.doc"));
        e.edit(QString::fromUtf8("bl\xC3\xA5 b\xC3\xA6r\n\xC3\x98y"),
               [&] { QTest::mouseClick(e.button("ToolButton7"), Qt::LeftButton); });
        QVERIFY(!QFile::exists(e.saveAnswer));
        QCOMPARE(fileBytes(e.dir.filePath(QStringLiteral("notat.TXT"))), QByteArray("bl\xE5 b\xE6r\r\n\xD8y\r\n"));
    }

    void importReadsByteOrderMarkOrCp1252_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("cp1252") << QByteArray("\xD8l\r\nost");
        QTest::newRow("UTF-8 with mark") << QByteArray("\xEF\xBB\xBF\xC3\x98l\r\nost");
        QTest::newRow("UTF-16 with mark") << QByteArray("\xFF\xFE\xD8\x00l\x00\r\x00\n\x00o\x00s\x00t\x00", 16);
    }

    void importReadsByteOrderMarkOrCp1252()
    {
        QFETCH(QByteArray, bytes);
        Editor e;
        e.openAnswer = e.dir.filePath(QStringLiteral("inn.txt"));
        QFile f(e.openAnswer);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        f.close();
        const QString result = e.edit(QStringLiteral("<>"), [&] {
            QTest::keyClick(e.memo(), Qt::Key_Home);
            QTest::keyClick(e.memo(), Qt::Key_Right);
            QTest::mouseClick(e.button("ToolButton6"), Qt::LeftButton);
        });
        QCOMPARE(result, QString::fromUtf8("<\xC3\x98l\r\nost>"));
    }

    void failedExportIsReportedAndCancelledDialogsDoNothing()
    {
        qRegisterMetaType<std::exception_ptr>();
        Editor e;
        QSignalSpy failed(e.window.get(), &TForm2::failed);
        e.saveAnswer = e.dir.filePath(QStringLiteral("no/such/folder/x.txt"));
        e.edit(QStringLiteral("x"), [&] {
            QTest::mouseClick(e.button("ToolButton7"), Qt::LeftButton);
            e.saveAnswer.clear();
            e.openAnswer.clear();
            QTest::mouseClick(e.button("ToolButton7"), Qt::LeftButton);
            QTest::mouseClick(e.button("ToolButton6"), Qt::LeftButton);
        });
        QCOMPARE(failed.size(), 1);
        QVERIFY(!e.button("ToolButton9")->isEnabled());
    }

    void clearAndFontSize()
    {
        Editor e;
        int before = 0, after = 0;
        const QString result = e.edit(QStringLiteral("abc"), [&] {
            before = e.memo()->font().pointSize();
            QTest::mouseClick(e.button("ToolButton12"), Qt::LeftButton);
            QTest::mouseClick(e.button("ToolButton12"), Qt::LeftButton);
            QTest::mouseClick(e.button("ToolButton10"), Qt::LeftButton);
            after = e.memo()->font().pointSize();
            QTest::mouseClick(e.button("ToolButton8"), Qt::LeftButton);
        });
        QCOMPARE(after, before + 1);
        QCOMPARE(result, QString());
    }
};

QTEST_MAIN(EditorWindowTest)
#include "editorvindu_test.moc"
