// The card view driven as a user drives it: clicks into fields, typed keys,
// and leaving a field by clicking a toolbar button that takes the focus.

#include "card_database.h"

#include "cardview/card_view.h"
#include "cardview/field_editor.h"
#include "cardview/masked_edit.h"

#include <QImage>
#include <QLabel>
#include <QPlainTextEdit>
#include <QScrollArea>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>
#include <QVBoxLayout>

#include <functional>
#include <memory>

using kvilbo::cardview::CardContext;
using kvilbo::cardview::CardView;
using kvilbo::cardview::FieldEditor;
using kvilbo::cardview::MaskedEdit;
using kvilbo::cardview::test::CardDatabase;
namespace layout = kvilbo::layout;

Q_DECLARE_METATYPE(std::exception_ptr)

namespace {

// A window with the card surface and a toolbar button that, like the main
// window's commands, takes the focus before it acts.
class Harness {
public:
    explicit Harness(int spraak = 0, std::function<void(CardDatabase &)> prepare = {}) : db(spraak)
    {
        db.open();
        if (prepare)
            prepare(db);
        auto *layoutBox = new QVBoxLayout(&window);
        toolbar = new QToolButton(&window);
        toolbar->setObjectName(QStringLiteral("ToolButton16"));
        toolbar->setFocusPolicy(Qt::StrongFocus);
        QObject::connect(toolbar, &QToolButton::clicked, toolbar, [this] {
            toolbar->setFocus(Qt::OtherFocusReason);
            if (command)
                command();
        });
        surface = new QScrollArea(&window);
        surface->setObjectName(QStringLiteral("bakgrunn1"));
        surface->setWidget(new QWidget);
        layoutBox->addWidget(toolbar);
        layoutBox->addWidget(surface, 1);
        CardContext context;
        context.texts = &db.texts;
        context.MSG = [this](const std::string &text, bool lyd) { db.log->MSG(text, lyd); };
        context.options = {spraak, 2000};
        view = std::make_unique<CardView>(surface, db.DBF, context);
        view->formularsettoppSIDE(db.layoutTable->FORFIL());
        surface->show();
        window.resize(900, 700);
        window.show();
        window.activateWindow();
        if (!QTest::qWaitForWindowActive(&window))
            qWarning("window not active");
        view->oppdaterSide();
    }

    QWidget *control(int feltNr) const
    {
        for (QWidget *w : view->fieldControls())
            if (FieldEditor::fieldNumberOf(w) == feltNr)
                return w;
        return nullptr;
    }
    MaskedEdit *edit(int feltNr) const { return qobject_cast<MaskedEdit *>(control(feltNr)); }

    void enter(QWidget *w) const { QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(4, w->height() / 2)); }
    void leave() const { QTest::mouseClick(toolbar, Qt::LeftButton); }

    // Keys as typed; '\b' is the Backspace key.
    static void type(QWidget *w, const QString &keys)
    {
        for (QChar c : keys) {
            if (c == QLatin1Char('\b'))
                QTest::keyClick(w, Qt::Key_Backspace);
            else
                QTest::keyClick(w, c.toLatin1());
        }
    }

    CardDatabase db;
    QWidget window;
    QToolButton *toolbar = nullptr;
    QScrollArea *surface = nullptr;
    std::unique_ptr<CardView> view;
    std::function<void()> command;
};

} // namespace

class CardViewTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { qRegisterMetaType<std::exception_ptr>(); }

    void controlsFollowTheFieldTypes()
    {
        Harness h;
        const auto &fields = h.view->fieldControls();
        QCOMPARE(fields.size(), std::size_t(8));
        for (std::size_t i = 0; i < fields.size(); ++i) {
            QCOMPARE(fields[i]->objectName(), QStringLiteral("DatabaseField%1").arg(i + 1));
            QCOMPARE(FieldEditor::fieldNumberOf(fields[i]), int(i + 1));
        }
        QVERIFY(qobject_cast<QPlainTextEdit *>(h.control(CardDatabase::kNotat)));
        QCOMPARE(h.edit(CardDatabase::kNavn)->maxLength(), 10);
        QCOMPARE(h.edit(CardDatabase::kNavn)->fieldText(), QStringLiteral("12"));
        QCOMPARE(h.edit(CardDatabase::kBelop)->fieldText(), QStringLiteral("  -12,00"));
        QCOMPARE(h.edit(CardDatabase::kAktiv)->fieldText(), QStringLiteral("Ja "));
        QCOMPARE(h.edit(CardDatabase::kDato)->fieldText(), QStringLiteral("05.03.2015"));
        QCOMPARE(qobject_cast<QPlainTextEdit *>(h.control(CardDatabase::kNotat))->toPlainText(),
                 QStringLiteral("Linje 1\nLinje 2"));
        QVERIFY(h.view->focusFirstField());
        QCOMPARE(QApplication::focusWidget(), h.control(CardDatabase::kNavn));

        h.db.DBF.Go(2);
        h.view->oppdaterSide();
        QCOMPARE(h.edit(CardDatabase::kDato)->fieldText(), QStringLiteral("  .  .    "));
        QCOMPARE(h.edit(CardDatabase::kAktiv)->fieldText(), QStringLiteral("Nei"));
        QVERIFY(qobject_cast<QPlainTextEdit *>(h.control(CardDatabase::kNotat))->toPlainText().isEmpty());
    }

    void typingStoresTheTypesForm_data()
    {
        QTest::addColumn<int>("spraak");
        QTest::addColumn<int>("record");
        QTest::addColumn<int>("field");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QByteArray>("stored");
        QTest::newRow("character") << 0 << 2 << CardDatabase::kNavn << "Hei" << "Hei" << QByteArray("Hei       ");
        QTest::newRow("number, Norwegian comma") << 0 << 2 << CardDatabase::kMengde << "1,5" << "1,5" << QByteArray("   1.5");
        QTest::newRow("number, Norwegian point refused") << 0 << 2 << CardDatabase::kMengde << "1.5" << "15,0"
                                                        << QByteArray("  15.0");
        QTest::newRow("number, English point") << 1 << 2 << CardDatabase::kMengde << "1.5" << "1.5" << QByteArray("   1.5");
        QTest::newRow("number, English comma refused") << 1 << 2 << CardDatabase::kMengde << "1,5" << "15.0"
                                                      << QByteArray("  15.0");
        QTest::newRow("number, leading minus") << 0 << 2 << CardDatabase::kAntall << "-999" << "-999" << QByteArray("-999");
        QTest::newRow("number, Backspace refused") << 0 << 2 << CardDatabase::kAntall << "12\b" << "12" << QByteArray("  12");
        QTest::newRow("float field") << 0 << 2 << CardDatabase::kVekt << "2,2" << "2,2" << QByteArray("   2.2");
        QTest::newRow("date, two-digit year") << 0 << 2 << CardDatabase::kDato << "010203" << "01.02.2003"
                                              << QByteArray("20030201");
        QTest::newRow("date, English") << 1 << 2 << CardDatabase::kDato << "29022004" << "29.02.2004"
                                       << QByteArray("20040229");
        QTest::newRow("logical, Norwegian J") << 0 << 2 << CardDatabase::kAktiv << "j" << "Ja" << QByteArray("T");
        QTest::newRow("logical, Norwegian Backspace") << 0 << 1 << CardDatabase::kAktiv << "\b" << "Nei" << QByteArray("F");
        QTest::newRow("logical, Norwegian space") << 0 << 2 << CardDatabase::kAktiv << " " << "Ja" << QByteArray("T");
        QTest::newRow("logical, English Y") << 1 << 2 << CardDatabase::kAktiv << "y" << "Yes" << QByteArray("T");
        QTest::newRow("logical, English Backspace") << 1 << 1 << CardDatabase::kAktiv << "\b" << "No" << QByteArray("F");
    }

    void typingStoresTheTypesForm()
    {
        QFETCH(int, spraak);
        QFETCH(int, record);
        QFETCH(int, field);
        QFETCH(QString, keys);
        QFETCH(QString, shown);
        QFETCH(QByteArray, stored);
        Harness h(spraak);
        h.db.DBF.Go(record);
        h.view->oppdaterSide();
        QSignalSpy written(&h.view->fieldEditor(), &FieldEditor::recordWritten);
        QSignalSpy busy(&h.view->fieldEditor(), &FieldEditor::busy);
        MaskedEdit *edit = h.edit(field);
        h.enter(edit);
        QCOMPARE(QApplication::focusWidget(), edit);
        QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
        Harness::type(edit, keys);
        h.leave();
        QCOMPARE(edit->fieldText().trimmed(), shown);
        QCOMPARE(QByteArray::fromStdString(h.db.fieldBytes(record, field)), stored);
        QCOMPARE(written.size(), 1);
        QCOMPARE(written[0][0].toInt(), record);
        QCOMPARE(written[0][1].toInt(), field);
        QCOMPARE(busy.size(), 1);
    }

    void enteringAndLeavingWithoutTypingWritesNothing()
    {
        Harness h;
        QSignalSpy written(&h.view->fieldEditor(), &FieldEditor::recordWritten);
        const std::string before = h.db.fileBytes();
        const std::string memoBefore = h.db.DBF.MemoRead(CardDatabase::kNotat);
        for (QWidget *w : h.view->fieldControls()) {
            h.enter(w);
            QCOMPARE(QApplication::focusWidget(), w);
            h.leave();
        }
        QVERIFY(h.view->focusFirstField());
        for (int i = 0; i < 8; ++i)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        h.leave();
        QCOMPARE(written.size(), 0);
        QVERIFY(h.db.fileBytes() == before);
        QCOMPARE(h.db.DBF.MemoRead(CardDatabase::kNotat), memoBefore);
    }

    void swappedDigitsAreWritten()
    {
        Harness h;
        MaskedEdit *edit = h.edit(CardDatabase::kNavn);
        h.enter(edit);
        QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(edit, QStringLiteral("21"));
        h.leave();
        QCOMPARE(h.db.fieldBytes(1, CardDatabase::kNavn), std::string("21        "));
        QCOMPARE(h.view->fieldEditor().FieldStack().Verdi, QStringLiteral("12"));
        QCOMPARE(h.view->fieldEditor().FieldStack().Verdi2, QStringLiteral("21"));
    }

    void memoTextIsWrittenToTheMemoFile()
    {
        Harness h;
        auto *memo = qobject_cast<QPlainTextEdit *>(h.control(CardDatabase::kNotat));
        h.enter(memo);
        QTest::keyClick(memo, Qt::Key_End, Qt::ControlModifier);
        QTest::keyClick(memo, Qt::Key_Return);
        QTest::keyClicks(memo, QStringLiteral("Linje 3"));
        h.leave();
        QCOMPARE(h.db.DBF.MemoRead(CardDatabase::kNotat), std::string("Linje 1\r\nLinje 2\r\nLinje 3"));
        QCOMPARE(h.db.fieldBytes(1, CardDatabase::kNavn), std::string("12        "));
    }

    void unreadableNumberReportsAndWritesNothing()
    {
        Harness h;
        QSignalSpy failed(&h.view->fieldEditor(), &FieldEditor::failed);
        const std::string before = h.db.fileBytes();
        MaskedEdit *edit = h.edit(CardDatabase::kBelop);
        h.enter(edit);
        QTest::keyClick(edit, Qt::Key_Home);
        QTest::keyClick(edit, '5');
        h.leave();
        QCOMPARE(failed.size(), 1);
        QCOMPARE(h.view->fieldEditor().failedControl(), edit);
        QVERIFY(h.db.fileBytes() == before);
        QCOMPARE(edit->fieldText(), QStringLiteral("5 -12,00"));
    }

    void navigationAfterAnEditWritesToTheCardShown()
    {
        Harness h;
        h.command = [&h] {
            h.db.DBF.Go(2);
            h.view->oppdaterSide();
        };
        MaskedEdit *edit = h.edit(CardDatabase::kNavn);
        h.enter(edit);
        QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(edit, QStringLiteral("Ny"));
        h.leave();
        QCOMPARE(h.db.fieldBytes(1, CardDatabase::kNavn), std::string("Ny        "));
        QCOMPARE(h.db.fieldBytes(2, CardDatabase::kNavn), std::string(10, ' '));
        QCOMPARE(edit->fieldText(), QString());
        QCOMPARE(h.db.DBF.RecNo(), 2);
    }

    void anotherInstancesChangeSurvivesAnEdit()
    {
        Harness h;
        MaskedEdit *edit = h.edit(CardDatabase::kNavn);
        h.enter(edit);
        QTest::keyClicks(edit, QStringLiteral("x"));
        kvilbo::engine::TDbfTable other;
        QVERIFY(other.OpenDatabase(h.db.path(), false, false));
        other.Go(1);
        other.Store("ANTALL", "55");
        QVERIFY(other.Write(false));
        other.closedatabase();
        h.leave();
        QCOMPARE(h.db.fieldBytes(1, CardDatabase::kAntall), std::string("  55"));
        QCOMPARE(h.db.fieldBytes(1, CardDatabase::kNavn).substr(0, 3), std::string("x12"));
    }

    void otherWindowsNeitherWriteNorRestartAnEdit()
    {
        Harness h;
        const std::string before = h.db.fileBytes();
        MaskedEdit *edit = h.edit(CardDatabase::kNavn);
        h.enter(edit);
        QTest::keyClick(edit, Qt::Key_Home);
        QTest::keyClicks(edit, QStringLiteral("x"));
        QWidget other;
        other.show();
        other.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&other));
        QVERIFY(h.db.fileBytes() == before);
        h.window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&h.window));
        QCOMPARE(QApplication::focusWidget(), edit);
        h.view->finishEdit();
        QCOMPARE(h.db.fieldBytes(1, CardDatabase::kNavn), std::string("x12       "));
        h.leave();
        QCOMPARE(h.db.fieldBytes(1, CardDatabase::kNavn), std::string("x12       "));
    }

    void tabOrderFollowsTabNumbers()
    {
        Harness h(0, [](CardDatabase &db) {
            db.replaceCard({kvilbo::cardview::test::fieldRecord(CardDatabase::kNavn, 10, 3),
                            kvilbo::cardview::test::fieldRecord(CardDatabase::kAntall, 40, 1),
                            kvilbo::cardview::test::fieldRecord(CardDatabase::kAktiv, 70, 0)});
        });
        QWidget *tab3 = h.control(CardDatabase::kNavn);
        QWidget *tab1 = h.control(CardDatabase::kAntall);
        QWidget *none = h.control(CardDatabase::kAktiv);
        QVERIFY(h.view->focusFirstField());
        QCOMPARE(QApplication::focusWidget(), tab1);
        QTest::keyClick(tab1, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), tab3);
        for (int i = 0; i < 4; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QVERIFY(QApplication::focusWidget() != none);
        }
        QVERIFY(!(none->focusPolicy() & Qt::TabFocus));
    }

    void picturesAndTextBoxes()
    {
        Harness h(0, [](CardDatabase &db) {
            QImage image(12, 7, QImage::Format_RGB32);
            image.fill(Qt::red);
            QVERIFY(image.save(db.dir.filePath(QStringLiteral("Bilde.PNG"))));
            layout::LayoutRecord missing(layout::form::Side, 4), own(layout::form::Side, 4),
                file(layout::form::Side, 4), box(layout::form::Side, 3);
            missing.set(layout::ObjLinje, 0).set(layout::ObjBredde, 300).set(layout::ObjHoyde, 220)
                .set(layout::ObjRefTxt, std::string("logo.png"));
            own.set(layout::ObjLinje, 230).set(layout::ObjBredde, 100).set(layout::ObjHoyde, 100)
                .set(layout::ObjRefTxt, std::string("[INTERNTBILDE001]"));
            file.set(layout::ObjLinje, 340).set(layout::ObjBredde, 50).set(layout::ObjHoyde, 50)
                .set(layout::ObjRefTxt, std::string("bilde.png"));
            box.set(layout::ObjLinje, 400).set(layout::ObjBredde, 200).set(layout::ObjHoyde, 20)
                .set(layout::ObjBackS, 1).set(layout::ObjJust, 1).set(layout::ObjRefTxt, std::string("Kort [%RECNO]"));
            db.replaceCard({missing, own, file, box});
        });
        QVERIFY(h.db.logText().find("Sideformularfil refererer til bildefil som mangler (logo.png)")
                != std::string::npos);
        auto *missing = h.window.findChild<QLabel *>(QStringLiteral("Picture1"));
        auto *own = h.window.findChild<QLabel *>(QStringLiteral("Picture2"));
        auto *file = h.window.findChild<QLabel *>(QStringLiteral("Picture3"));
        QVERIFY(missing && own && file);
        QCOMPARE(missing->pixmap().size(), QSize(264, 204));
        QCOMPARE(missing->toolTip(), QStringLiteral("logo.png"));
        QCOMPARE(own->pixmap().size(), QSize(93, 80));
        QCOMPARE(file->pixmap().size(), QSize(12, 7));
        QCOMPARE(missing->property("Tag").toInt(), 302);

        auto *box = h.window.findChild<QLabel *>(QStringLiteral("TextBox1"));
        QVERIFY(box);
        QCOMPARE(box->text(), QStringLiteral("Kort 1"));
        QVERIFY(!box->autoFillBackground());
        QVERIFY(box->alignment() & Qt::AlignRight);
        h.db.DBF.Go(2);
        h.view->oppdaterSide();
        QCOMPARE(box->text(), QStringLiteral("Kort 1"));
        QVERIFY(!h.view->focusFirstField());
    }
};

QTEST_MAIN(CardViewTest)
#include "card_view_test.moc"
