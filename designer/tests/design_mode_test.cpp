// Design mode driven as the user drives it: objects dragged and resized on
// the card with the mouse, properties typed and picked in the grid, objects
// added and deleted from the panel's toolbar, then "OK" or "Avbryt".

#include "design_harness.h"

#include "designer/card_records.h"
#include "designer/design_rules.h"
#include "designer/property_grid.h"
#include "layout/layout_fields.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QTableWidget>
#include <QTest>
#include <QToolButton>

using namespace kvilbo::designer;
using kvilbo::designer::test::DesignHarness;
namespace layout = kvilbo::layout;

namespace {

QPoint centreOf(QWidget *w)
{
    return w->geometry().center();
}

// What a card shows: each object's name and place, in child order.
QStringList cardShape(QWidget *card)
{
    QStringList out;
    for (QObject *child : card->children()) {
        auto *w = qobject_cast<QWidget *>(child);
        if (w && !w->objectName().isEmpty() && w->objectName() != QLatin1String("SizeCtrl"))
            out << QStringLiteral("%1 %2,%3 %4x%5")
                       .arg(w->objectName())
                       .arg(w->x())
                       .arg(w->y())
                       .arg(w->width())
                       .arg(w->height());
    }
    return out;
}

QString fieldText(kvilbo::engine::TDbfTable &t, layout::Felt f)
{
    return QString::fromStdString(t.GetF(f)).trimmed();
}

} // namespace

class DesignModeTest : public QObject {
    Q_OBJECT

    static void show(DesignHarness &h)
    {
        h.window.show();
        QVERIFY(QTest::qWaitForWindowActive(&h.window));
    }
    // A click on the object on the card, as the user selects it.
    static void select(DesignHarness &h, const QString &name)
    {
        DesignControl *c = h.control(name);
        QVERIFY2(c, qPrintable(name));
        QTest::mouseClick(h.mode->sizeCtrl(), Qt::LeftButton, {}, centreOf(c));
        QCOMPARE(h.mode->sPanel1()->ComboBox1()->currentText(), name);
    }
    static void drag(DesignHarness &h, QPoint from, QPoint to)
    {
        SizeCtrl *ctrl = h.mode->sizeCtrl();
        QTest::mousePress(ctrl, Qt::LeftButton, {}, from);
        QTest::mouseMove(ctrl, (from + to) / 2);
        QTest::mouseMove(ctrl, to);
        QTest::mouseRelease(ctrl, Qt::LeftButton, {}, to);
    }
    // Types text into a grid row and presses Enter.
    static void typeIntoRow(DesignHarness &h, Row row, const QString &text)
    {
        QTableWidget *vle = h.mode->sPanel1()->vle();
        vle->setFocus();
        vle->setCurrentCell(PropertyGrid::index(row), 1);
        QTest::keyClick(vle, Qt::Key_F2);
        QWidget *editor = QApplication::focusWidget();
        QVERIFY(editor && editor != vle);
        QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(editor, text);
        QTest::keyClick(editor, Qt::Key_Return);
        QCoreApplication::processEvents(); // the view commits a line's edit queued
    }
    static QString rowValue(DesignHarness &h, Row row)
    {
        return h.mode->sPanel1()->rowValue(PropertyGrid::index(row));
    }
    static void clickTool(DesignHarness &h, const char *name)
    {
        auto *button = h.mode->sPanel1()->findChild<QToolButton *>(QLatin1String(name));
        QVERIFY(button);
        QTest::mouseClick(button, Qt::LeftButton);
    }

private slots:
    void enteringShowsEditableCopiesAndTheFirstObject()
    {
        DesignHarness h;
        show(h);
        h.enter();
        QVERIFY(h.mode->RedigereSide());
        QVERIFY(h.mode->sPanel1()->isVisible());
        QCOMPARE(h.messages.last(), QStringLiteral("Påbegynt modifisering av utseende til kort-visning"));
        const QList<DesignControl *> all = h.mode->controls();
        QCOMPARE(all.size(), 29); // picture, 6 + 11 text boxes, 11 fields
        QCOMPARE(h.mode->sizeCtrl()->Targets(0), all.front());
        QCOMPARE(rowValue(h, Row::Navn), all.front()->objectName());
        QComboBox *combo = h.mode->sPanel1()->ComboBox1();
        QCOMPARE(combo->count(), 30);
        QCOMPARE(combo->itemText(29), QStringLiteral("Background"));
        const DesignObject field = h.control(QStringLiteral("DatabaseField2"))->object();
        QCOMPARE(field.text, QStringLiteral("[002 FORNAVN]"));
        QCOMPARE(field.hint, QStringLiteral("2"));
    }

    void aCardWithOnlyItsBackground()
    {
        DesignHarness h;
        DesignCard empty;
        empty.background = 4227200;
        saveCardLayout(h.db.FORFIL(), cardRecords(empty));
        h.view->formularsettoppSIDE(h.db.FORFIL());
        show(h);
        h.enter();
        QVERIFY(h.mode->controls().isEmpty());
        QCOMPARE(h.mode->sizeCtrl()->TargetCount(), 0);
        QCOMPARE(rowValue(h, Row::Navn), QStringLiteral("Background"));
        QCOMPARE(rowValue(h, Row::FargeBakgrunn), QStringLiteral("4227200"));
        clickTool(h, "ToolButton21");
        QVERIFY(h.mode->RedigereSide());
        // An object added later lies under the controller's layer too: it can be dragged.
        clickTool(h, "ToolButton19");
        DesignControl *box = h.control(QStringLiteral("TextBox1"));
        QVERIFY(box);
        drag(h, centreOf(box), centreOf(box) + QPoint(40, 0));
        QCOMPARE(box->pos(), QPoint(140, 100));
    }

    void dragMovesAndResizesOnTheGrid()
    {
        DesignHarness h;
        show(h);
        h.enter();
        select(h, QStringLiteral("DatabaseField1"));
        DesignControl *c = h.control(QStringLiteral("DatabaseField1"));
        const QRect start = c->geometry();
        drag(h, centreOf(c), centreOf(c) + QPoint(23, 12));
        QCOMPARE(c->geometry(), QRect(snapTo(start.x() + 23, 5), snapTo(start.y() + 12, 5), start.width(),
                                      start.height()));
        QCOMPARE(rowValue(h, Row::Venstre), QString::number(c->x()));
        QCOMPARE(rowValue(h, Row::Topp), QString::number(c->y()));
        // The bottom-right handle resizes; the edges snap to the grid.
        const QRect moved = c->geometry();
        const QPoint corner = moved.bottomRight() + QPoint(1, 1);
        drag(h, corner, corner + QPoint(31, 18));
        QCOMPARE(c->geometry().topLeft(), moved.topLeft());
        QCOMPARE(c->x() + c->width(), snapTo(moved.x() + moved.width() + 31, 5));
        QCOMPARE(c->y() + c->height(), snapTo(moved.y() + moved.height() + 18, 5));
        QCOMPARE(rowValue(h, Row::Bredde), QString::number(c->width()));
    }

    void draggingPastTheEdgesKeepsTheObjectOnTheSurface()
    {
        DesignHarness h;
        show(h);
        h.enter();
        select(h, QStringLiteral("TextBox2"));
        DesignControl *c = h.control(QStringLiteral("TextBox2"));
        drag(h, centreOf(c), centreOf(c) - QPoint(5000, 5000));
        QCOMPARE(c->pos(), QPoint(0, 0));
        QWidget *card = h.bakgrunn1->widget();
        drag(h, centreOf(c), centreOf(c) + QPoint(9000, 9000));
        QVERIFY(card->rect().contains(c->geometry()));
        // A resize through the far edge is clipped, never turned inside out.
        const QPoint corner = c->geometry().topLeft();
        drag(h, corner, corner + QPoint(4000, 4000));
        QVERIFY(card->rect().contains(c->geometry()));
        QVERIFY(c->width() >= kMinimumSize && c->height() >= kMinimumSize);
    }

    void typedValuesAreCorrected_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("kept");
        QTest::newRow("font size 120") << int(Row::FontStorrelse) << "120" << "10";
        QTest::newRow("font size 14") << int(Row::FontStorrelse) << "14" << "14";
        QTest::newRow("width 0") << int(Row::Bredde) << "0" << "10";
        QTest::newRow("tab 300") << int(Row::TabRekkefolge) << "300" << "0";
        QTest::newRow("left 37") << int(Row::Venstre) << "37" << "37";
    }

    void typedValuesAreCorrected()
    {
        QFETCH(int, row);
        QFETCH(QString, typed);
        QFETCH(QString, kept);
        DesignHarness h;
        show(h);
        h.enter();
        select(h, QStringLiteral("DatabaseField3"));
        typeIntoRow(h, static_cast<Row>(row), typed);
        QCOMPARE(rowValue(h, static_cast<Row>(row)), kept);
        const DesignObject o = h.control(QStringLiteral("DatabaseField3"))->object();
        switch (static_cast<Row>(row)) {
        case Row::FontStorrelse: QCOMPARE(QString::number(o.fontSize), kept); break;
        case Row::Bredde: QCOMPARE(QString::number(o.width), kept); break;
        case Row::TabRekkefolge: QCOMPARE(o.hint, kept); break;
        default: QCOMPARE(QString::number(o.left), kept); break;
        }
    }

    void alignmentChosenFromTheListAppliesAtOnce()
    {
        DesignHarness h;
        show(h);
        h.enter();
        select(h, QStringLiteral("TextBox1"));
        QTableWidget *vle = h.mode->sPanel1()->vle();
        vle->setFocus();
        vle->setCurrentCell(PropertyGrid::index(Row::Justering), 1);
        QTest::keyClick(vle, Qt::Key_F2);
        auto *combo = qobject_cast<QComboBox *>(QApplication::focusWidget());
        QVERIFY(combo);
        QTest::keyClick(combo, Qt::Key_End);
        QCOMPARE(rowValue(h, Row::Justering), QStringLiteral("Høyre"));
        QCOMPARE(h.control(QStringLiteral("TextBox1"))->object().align, ObjectAlign::Right);
    }

    void backgroundColourFromTheColourDialog()
    {
        DesignHarness h;
        show(h);
        h.enter();
        std::uint32_t offered = 1;
        DesignDialogs dialogs;
        dialogs.colour = [&offered](std::uint32_t bgr) {
            offered = bgr;
            return std::optional<std::uint32_t>(255);
        };
        h.mode->setDialogs(dialogs);
        QTest::mouseClick(h.mode->sizeCtrl(), Qt::LeftButton, {}, QPoint(2, h.bakgrunn1->widget()->height() - 3));
        QCOMPARE(rowValue(h, Row::Navn), QStringLiteral("Background"));
        QCOMPARE(rowValue(h, Row::Venstre), QStringLiteral("<Brukes ikke her>"));
        QTableWidget *vle = h.mode->sPanel1()->vle();
        vle->setFocus();
        vle->setCurrentCell(PropertyGrid::index(Row::FargeBakgrunn), 1);
        QTest::keyClick(vle, Qt::Key_F2);
        auto *ellipsis = vle->findChild<QToolButton *>(QStringLiteral("ellipsis"));
        QVERIFY(ellipsis);
        QTest::mouseClick(ellipsis, Qt::LeftButton);
        QCOMPARE(offered, 16777215u);
        QCOMPARE(rowValue(h, Row::FargeBakgrunn), QStringLiteral("255"));
        QCOMPARE(h.bakgrunn1->widget()->palette().color(QPalette::Window), QColor(255, 0, 0));
    }

    void addingAFieldTwiceIsRefused()
    {
        DesignHarness h;
        show(h);
        h.enter();
        DesignDialogs dialogs;
        dialogs.chooseField = [] { return 3; };
        h.mode->setDialogs(dialogs);
        select(h, QStringLiteral("DatabaseField3"));
        clickTool(h, "ToolButton21");
        QVERIFY(!h.control(QStringLiteral("DatabaseField3")));
        clickTool(h, "ToolButton15");
        DesignControl *added = h.control(QStringLiteral("DatabaseField12"));
        QVERIFY(added);
        QCOMPARE(added->object().hint, QStringLiteral("12"));
        QCOMPARE(added->object().text, QStringLiteral("[003 ETTERNAVN]"));
        QCOMPARE(added->geometry(), QRect(100, 100, 320, 24));
        QCOMPARE(h.mode->sizeCtrl()->Targets(0), added);
        QCOMPARE(rowValue(h, Row::Navn), QStringLiteral("DatabaseField12"));
        const int count = h.mode->controls().size();
        clickTool(h, "ToolButton15");
        QCOMPARE(h.notices.last(), QStringLiteral("Databasefeltet du har valgt er allerede på siden, velg et annet"));
        QCOMPARE(h.mode->controls().size(), count);
    }

    void newTextBoxFollowsTheHighestNumber()
    {
        DesignHarness h;
        show(h);
        h.enter();
        for (int n = 2; h.control(QStringLiteral("TextBox%1").arg(n)); ++n) {
            if (n == 4)
                continue;
            select(h, QStringLiteral("TextBox%1").arg(n));
            clickTool(h, "ToolButton21");
        }
        QVERIFY(h.control(QStringLiteral("TextBox1")) && h.control(QStringLiteral("TextBox4")));
        clickTool(h, "ToolButton19");
        DesignControl *box = h.control(QStringLiteral("TextBox5"));
        QVERIFY(box);
        QCOMPARE(box->object().text, QStringLiteral("Tekstboks - skriv inn ønsket tekst.."));
        QCOMPARE(box->geometry(), QRect(100, 100, 300, 18));
        QVERIFY(box->object().transparent);
    }

    void deletingStopsAtTheMinimum()
    {
        DesignHarness h;
        show(h);
        h.enter();
        QComboBox *combo = h.mode->sPanel1()->ComboBox1();
        combo->setCurrentIndex(combo->findText(QStringLiteral("Background")));
        clickTool(h, "ToolButton21");
        QCOMPARE(h.mode->controls().size(), 29);
        // The Delete key on the card deletes the selected object.
        select(h, QStringLiteral("TextBox3"));
        QTest::keyClick(h.mode->sizeCtrl(), Qt::Key_Delete);
        QVERIFY(!h.control(QStringLiteral("TextBox3")));
        while (h.mode->controls().size() > 2) {
            select(h, h.mode->controls().last()->objectName());
            clickTool(h, "ToolButton21");
        }
        select(h, h.mode->controls().first()->objectName());
        clickTool(h, "ToolButton21");
        QCOMPARE(h.mode->controls().size(), 2);
        QCOMPARE(h.messages.last(), QStringLiteral("Formularet må bestå av minst 1 element"));
    }

    void picturesKeepTheirSource()
    {
        DesignHarness h;
        show(h);
        QImage image(40, 30, QImage::Format_RGB32);
        image.fill(Qt::blue);
        const QString inFolder = QDir(h.db.dir.path()).filePath(QStringLiteral("BILDE.PNG"));
        QTemporaryDir elsewhere;
        const QString outside = QDir(elsewhere.path()).filePath(QStringLiteral("logo.png"));
        QVERIFY(image.save(inFolder) && image.save(outside));
        QString answer = inFolder;
        DesignDialogs dialogs;
        dialogs.picture = [&answer](const QString &) { return answer; };
        h.mode->setDialogs(dialogs);
        h.enter();
        clickTool(h, "ToolButton20");
        DesignControl *picture = h.control(QStringLiteral("Picture2"));
        QVERIFY(picture);
        QCOMPARE(picture->object().hint, QStringLiteral("BILDE.PNG"));
        QCOMPARE(picture->geometry(), QRect(100, 100, 200, 200));
        QCOMPARE(h.mode->controls().front(), picture); // behind the others
        QCOMPARE(rowValue(h, Row::BildeOriginal), QStringLiteral("Ja"));
        // Chosen through the row's ellipsis from another folder: the full path.
        answer = outside;
        QTableWidget *vle = h.mode->sPanel1()->vle();
        vle->setFocus();
        vle->setCurrentCell(PropertyGrid::index(Row::BildeFilnavn), 1);
        QTest::keyClick(vle, Qt::Key_F2);
        auto *ellipsis = vle->findChild<QToolButton *>(QStringLiteral("ellipsis"));
        QVERIFY(ellipsis);
        QTest::mouseClick(ellipsis, Qt::LeftButton);
        QCoreApplication::processEvents();
        QCOMPARE(rowValue(h, Row::BildeFilnavn), outside);
        QCOMPARE(picture->object().hint, outside);
        answer = inFolder;
        vle->setCurrentCell(PropertyGrid::index(Row::BildeFilnavn), 1);
        QTest::keyClick(vle, Qt::Key_F2);
        QTest::mouseClick(vle->findChild<QToolButton *>(QStringLiteral("ellipsis")), Qt::LeftButton);
        QCoreApplication::processEvents();
        QCOMPARE(picture->object().hint, QStringLiteral("BILDE.PNG"));
        // "Nei" stretches the picture to the object.
        vle->setCurrentCell(PropertyGrid::index(Row::BildeOriginal), 1);
        QTest::keyClick(vle, Qt::Key_F2);
        auto *combo = qobject_cast<QComboBox *>(QApplication::focusWidget());
        QVERIFY(combo);
        QTest::keyClick(combo, Qt::Key_Home);
        QVERIFY(picture->object().stretch);
        QTest::mouseClick(h.mode->sPanel1()->findChild<QWidget *>(QStringLiteral("sSpeedButton1")), Qt::LeftButton);

        // The file gone, design mode reports it and saving keeps the reference.
        QVERIFY(QFile::remove(inFolder));
        h.enter();
        QVERIFY(h.messages.contains(
            QStringLiteral("Sideformularfil refererer til bildefil som mangler (BILDE.PNG)")));
        // Lowered behind the others, the added picture was saved first and is now Picture1;
        // the pictures keep that order through a second save.
        QCOMPARE(h.control(QStringLiteral("Picture1"))->object().hint, QStringLiteral("BILDE.PNG"));
        QVERIFY(h.control(QStringLiteral("Picture1"))->object().stretch);
        auto &FORFIL = h.db.FORFIL();
        const int before = FORFIL.RecCount();
        QTest::mouseClick(h.mode->sPanel1()->findChild<QWidget *>(QStringLiteral("sSpeedButton1")), Qt::LeftButton);
        FORFIL.Go(before + 2); // after the background
        QCOMPARE(fieldText(FORFIL, layout::ObjType), QStringLiteral("4"));
        QCOMPARE(fieldText(FORFIL, layout::ObjRefTxt), QStringLiteral("BILDE.PNG"));
        QCOMPARE(fieldText(FORFIL, layout::ObjUtseen), QStringLiteral("1"));
        FORFIL.Go(before + 3);
        QCOMPARE(fieldText(FORFIL, layout::ObjRefTxt), QStringLiteral("[INTERNTBILDE001]"));
    }

    void okWritesTheLayoutAndTheReopenedCardIsTheSame()
    {
        DesignHarness h;
        show(h);
        h.enter();
        select(h, QStringLiteral("DatabaseField1"));
        DesignControl *c = h.control(QStringLiteral("DatabaseField1"));
        drag(h, centreOf(c), centreOf(c) + QPoint(50, 10));
        clickTool(h, "ToolButton19");
        QList<DesignObject> saved;
        for (DesignControl *control : h.mode->controls())
            saved << control->object();
        auto &FORFIL = h.db.FORFIL();
        const int before = FORFIL.RecCount();
        QTest::mouseClick(h.mode->sPanel1()->findChild<QWidget *>(QStringLiteral("sSpeedButton1")), Qt::LeftButton);
        QVERIFY(!h.mode->RedigereSide());
        QVERIFY(!h.mode->sPanel1()->isVisible());
        QCOMPARE(h.messages.last(), QStringLiteral("Avsluttet og lagret endringer i kort-visning"));
        QCOMPARE(FORFIL.RecCount(), before + 1 + saved.size());
        for (int r = 1; r <= before; ++r) {
            FORFIL.Go(r);
            if (fieldText(FORFIL, layout::FormType) == QLatin1String("2"))
                QVERIFY2(FORFIL.IsCurrentRecDeleted(), qPrintable(QString::number(r)));
        }
        FORFIL.Go(before + 1);
        QCOMPARE(fieldText(FORFIL, layout::ObjType), QStringLiteral("1"));
        QCOMPARE(fieldText(FORFIL, layout::ObjFbg), QStringLiteral("16777215"));
        const char *typeOf[] = {"", "3", "4", "2", "2"};
        for (int i = 0; i < saved.size(); ++i) {
            const DesignObject &o = saved[i];
            FORFIL.Go(before + 2 + i);
            QVERIFY(!FORFIL.IsCurrentRecDeleted());
            QCOMPARE(fieldText(FORFIL, layout::FormType), QStringLiteral("2"));
            QCOMPARE(fieldText(FORFIL, layout::ObjType), QLatin1String(typeOf[int(o.kind)]));
            QCOMPARE(fieldText(FORFIL, layout::ObjLinje), QString::number(o.top));
            QCOMPARE(fieldText(FORFIL, layout::ObjKol), QString::number(o.left));
            QCOMPARE(fieldText(FORFIL, layout::ObjBredde), QString::number(o.width));
            if (o.kind == ObjectKind::Picture) {
                QCOMPARE(fieldText(FORFIL, layout::ObjRefTxt), QStringLiteral("[INTERNTBILDE001]"));
                QCOMPARE(fieldText(FORFIL, layout::ObjRefNr), QStringLiteral("320"));
            } else if (o.kind == ObjectKind::TextBox) {
                QCOMPARE(fieldText(FORFIL, layout::ObjRefTxt), o.text);
                QCOMPARE(fieldText(FORFIL, layout::ObjRefNr), QStringLiteral("301"));
                QCOMPARE(fieldText(FORFIL, layout::ObjBackS), o.transparent ? QStringLiteral("1") : QStringLiteral("0"));
            } else {
                QCOMPARE(fieldText(FORFIL, layout::ObjRefNr), QString::number(o.fieldNumber));
                QCOMPARE(fieldText(FORFIL, layout::ObjTabNr), o.hint);
                QCOMPARE(fieldText(FORFIL, layout::ObjRamme), QStringLiteral("1"));
            }
        }
        QCOMPARE(saved.front().kind, ObjectKind::Picture);
        const QStringList shown = cardShape(h.bakgrunn1->widget());
        const auto moved = std::find_if(saved.begin(), saved.end(),
                                        [](const DesignObject &o) { return o.name == QLatin1String("DatabaseField1"); });
        QVERIFY(moved != saved.end());
        QVERIFY(shown.contains(QStringLiteral("DatabaseField1 %1,%2 %3x%4")
                                   .arg(moved->left).arg(moved->top).arg(moved->width).arg(moved->height)));
        h.view->clear();
        h.db.close();
        h.db.open();
        h.view->formularsettoppSIDE(h.db.FORFIL());
        QCOMPARE(cardShape(h.bakgrunn1->widget()), shown);
    }

    void cancelAfterMovingRestoresThePositions()
    {
        DesignHarness h;
        show(h);
        const QStringList before = cardShape(h.bakgrunn1->widget());
        const int records = h.db.FORFIL().RecCount();
        h.enter();
        select(h, QStringLiteral("DatabaseField2"));
        DesignControl *c = h.control(QStringLiteral("DatabaseField2"));
        drag(h, centreOf(c), centreOf(c) + QPoint(80, 40));
        QTest::mouseClick(h.mode->sPanel1()->findChild<QWidget *>(QStringLiteral("sSpeedButton2")), Qt::LeftButton);
        QVERIFY(!h.mode->RedigereSide());
        QCOMPARE(h.messages.last(), QStringLiteral("Avbrutt modifisering av kort-visning"));
        QCOMPARE(cardShape(h.bakgrunn1->widget()), before);
        QCOMPARE(h.db.FORFIL().RecCount(), records);
    }
};

QTEST_MAIN(DesignModeTest)
#include "design_mode_test.moc"
