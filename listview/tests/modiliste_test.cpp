// The list view settings window driven by keys and clicks over a shown grid:
// each control must change the grid while the window is still open, and what
// it changed must come back after the database is closed and opened again.
#include "test_database.h"

#include "engine/dbf_table.h"
#include "listview/list_grid.h"
#include "listview/modiliste.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QToolButton>

#include <memory>

using kvilbo::listview::ListGrid;
using kvilbo::listview::Tformmodiliste;
using kvilbo::listview::test::TestDatabase;

namespace {

// What a row of the control table reads back from the grid.
enum class Reading { FontSize, RowHeight, Bold, Italic, Underline, HorizontalLines, VerticalLines,
                     FontColour, GridColour, Heading, Width };

const QColor kChosen(12, 34, 56);

// A database with its grid built and shown, and the settings window over it.
struct Open {
    explicit Open(int spraak = 0) : db(0, true)
    {
        db.texts.setSpraak(static_cast<std::uint16_t>(spraak));
        db.open();
        build();
    }
    void build()
    {
        grid.resize(900, 400);
        grid.formularsettoppLISTE(db.DBF, db.layoutTable->FORFIL());
        grid.show();
        QVERIFY(QTest::qWaitForWindowExposed(&grid));
    }
    // Closes the database as the main window does, writing the grid back, and opens it again.
    void closeAndReopen()
    {
        const auto state = grid.listViewState();
        grid.clearList();
        db.close(&state);
        db.open();
        build();
    }
    std::unique_ptr<Tformmodiliste> window()
    {
        auto w = std::make_unique<Tformmodiliste>(grid, db.konfig, db.texts);
        w->setColourChooser([](const QColor &, const QString &) { return kChosen; });
        w->show();
        w->activateWindow();
        if (!QTest::qWaitForWindowActive(w.get()))
            qWarning("settings window not active");
        return w;
    }
    QVariant read(Reading reading, int c)
    {
        switch (reading) {
        case Reading::FontSize: return grid.font().pointSize();
        case Reading::RowHeight: return grid.rowHeight(grid.model()->rowCount() - 1);
        case Reading::Bold: return grid.font().bold();
        case Reading::Italic: return grid.font().italic();
        case Reading::Underline: return grid.font().underline();
        case Reading::HorizontalLines: return grid.horizontalLines();
        case Reading::VerticalLines: return grid.verticalLines();
        case Reading::FontColour: return grid.palette().color(QPalette::Text);
        case Reading::GridColour: return grid.palette().color(QPalette::Base);
        case Reading::Heading: return grid.model()->headerData(c, Qt::Horizontal);
        case Reading::Width: return grid.isColumnHidden(c) ? -1 : grid.columnWidth(c);
        }
        return {};
    }

    TestDatabase db;
    ListGrid grid;
};

template <typename T>
T *child(QWidget &w, const QString &name)
{
    T *c = w.findChild<T *>(name);
    if (!c)
        qWarning("no %s", qPrintable(name));
    return c;
}

// Replaces a spin box's or edit's text by typing, as a user does.
void typeInto(QWidget *control, const QString &text)
{
    QWidget *target = control;
    if (auto *spin = qobject_cast<QSpinBox *>(control))
        target = spin->findChild<QLineEdit *>();
    target->setFocus();
    QTest::keyClick(target, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(target, Qt::Key_Delete);
    QTest::keyClicks(target, text);
}

void clickOn(QWidget *control)
{
    if (auto *box = qobject_cast<QCheckBox *>(control))
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
    else
        QTest::mouseClick(control, Qt::LeftButton, {}, control->rect().center());
}

} // namespace

class ModilisteTest : public QObject {
    Q_OBJECT
private slots:
    void eachControlChangesTheGridAtOnce_data();
    void eachControlChangesTheGridAtOnce();
    void theFontListChangesTheGridFont();
    void rowHeightKeepsTheDescriptorRowOutOfSight();
    void columnSectionShowsTheChosenColumnsField_data();
    void columnSectionShowsTheChosenColumnsField();
    void columnChoiceStartsAtTheCurrentColumnAndStopsAtTheFieldCount_data();
    void columnChoiceStartsAtTheCurrentColumnAndStopsAtTheFieldCount();
    void widthAndHeadingSurviveCloseAndReopen_data();
    void widthAndHeadingSurviveCloseAndReopen();
    void fillingFromTheGridChangesNothing();
    void escapeClosesOnlyWithDefEsc_data();
    void escapeClosesOnlyWithDefEsc();
    void captionsFollowTheLanguage_data();
    void captionsFollowTheLanguage();
};

void ModilisteTest::eachControlChangesTheGridAtOnce_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("typed"); // empty: the control is clicked
    QTest::addColumn<int>("column");    // the column section's choice
    QTest::addColumn<int>("reading");
    QTest::addColumn<QVariant>("expected"); // invalid: the grid keeps what it had
    const auto r = [](Reading x) { return static_cast<int>(x); };
    QTest::newRow("font size") << "sSpinEdit3" << "14" << 1 << r(Reading::FontSize) << QVariant(14);
    QTest::newRow("font size above 30 refused") << "sSpinEdit3" << "31" << 1 << r(Reading::FontSize) << QVariant();
    QTest::newRow("row height") << "sSpinEdit4" << "40" << 1 << r(Reading::RowHeight) << QVariant(40);
    QTest::newRow("bold") << "boldButton" << "" << 1 << r(Reading::Bold) << QVariant(true);
    QTest::newRow("italic") << "italicButton" << "" << 1 << r(Reading::Italic) << QVariant(true);
    QTest::newRow("underline") << "underlineButton" << "" << 1 << r(Reading::Underline) << QVariant(true);
    QTest::newRow("horizontal lines off") << "horizontalLines" << "" << 1 << r(Reading::HorizontalLines)
                                          << QVariant(false);
    QTest::newRow("vertical lines off") << "verticalLines" << "" << 1 << r(Reading::VerticalLines)
                                        << QVariant(false);
    QTest::newRow("text colour") << "textColour" << "" << 1 << r(Reading::FontColour) << QVariant(kChosen);
    QTest::newRow("background colour") << "backgroundColour" << "" << 1 << r(Reading::GridColour)
                                       << QVariant(kChosen);
    QTest::newRow("heading trimmed") << "sEdit1" << QStringLiteral("  Bel\u00F8p i kr ") << 2
                                     << r(Reading::Heading) << QVariant(QStringLiteral("Bel\u00F8p i kr"));
    QTest::newRow("heading of the last column") << "sEdit1" << "Notat" << 6 << r(Reading::Heading)
                                                << QVariant(QStringLiteral("Notat"));
    QTest::newRow("width") << "sSpinEdit1" << "250" << 3 << r(Reading::Width) << QVariant(250);
    QTest::newRow("width 0 keeps the column") << "sSpinEdit1" << "0" << 3 << r(Reading::Width) << QVariant(0);
    QTest::newRow("width -1 hides the column") << "sSpinEdit1" << "-1" << 3 << r(Reading::Width) << QVariant(-1);
}

void ModilisteTest::eachControlChangesTheGridAtOnce()
{
    QFETCH(QString, control);
    QFETCH(QString, typed);
    QFETCH(int, column);
    QFETCH(int, reading);
    QFETCH(QVariant, expected);
    Open o;
    auto w = o.window();
    typeInto(child<QSpinBox>(*w, QStringLiteral("sSpinEdit2")), QString::number(column));
    const int logical = o.grid.logicalColumn(column);
    const QVariant before = o.read(static_cast<Reading>(reading), logical);
    QWidget *c = child<QWidget>(*w, control);
    QVERIFY(c);
    if (typed.isEmpty())
        clickOn(c);
    else
        typeInto(c, typed);
    QVERIFY(w->isVisible());
    QCOMPARE(o.read(static_cast<Reading>(reading), logical), expected.isValid() ? expected : before);
}

void ModilisteTest::theFontListChangesTheGridFont()
{
    Open o;
    auto w = o.window();
    auto *list = child<QComboBox>(*w, QStringLiteral("fontName"));
    QCOMPARE(list->currentText(), o.grid.font().family());
    QVERIFY(list->count() > 1);
    list->setFocus();
    QTest::keyClick(list, list->currentIndex() + 1 < list->count() ? Qt::Key_Down : Qt::Key_Up);
    QVERIFY(list->currentText() != QStringLiteral("Tahoma"));
    QCOMPARE(o.grid.font().family(), list->currentText());
    QCOMPARE(QString::fromStdString(o.grid.listViewState().fontName), list->currentText());
}

void ModilisteTest::rowHeightKeepsTheDescriptorRowOutOfSight()
{
    Open o;
    auto w = o.window();
    typeInto(child<QSpinBox>(*w, QStringLiteral("sSpinEdit4")), QStringLiteral("35"));
    const int rows = o.grid.model()->rowCount();
    QCOMPARE(rows, kvilbo::listview::test::kSampleRows);
    QCOMPARE(o.grid.verticalHeader()->count(), rows);
    // Directly under the headings comes the first record, not a descriptor.
    QCOMPARE(o.grid.rowAt(1), 0);
    QCOMPARE(o.grid.listModel().RowRecNo(0), 1);
    QCOMPARE(o.grid.model()->index(0, 0).data().toString(), QStringLiteral("\u00D8rjan"));
    for (int r = 0; r < rows; ++r)
        QCOMPARE(o.grid.rowHeight(r), 35);
    QCOMPARE(o.grid.listViewState().rowHeight, 35);
}

void ModilisteTest::columnSectionShowsTheChosenColumnsField_data()
{
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("length");
    QTest::newRow("character") << 1 << "001 NAVN...." << "20";
    QTest::newRow("numeric") << 2 << "002 BELOP...." << "8";
    QTest::newRow("date") << 4 << "004 FODT...." << "8";
    QTest::newRow("logical") << 5 << "005 AKTIV...." << "1";
    QTest::newRow("memo shows no length") << 6 << "006 NOTAT...." << "";
}

void ModilisteTest::columnSectionShowsTheChosenColumnsField()
{
    QFETCH(int, column);
    QFETCH(QString, field);
    QFETCH(QString, length);
    Open o;
    o.grid.setColumnWidth(column - 1, 77);
    auto w = o.window();
    typeInto(child<QSpinBox>(*w, QStringLiteral("sSpinEdit2")), QString::number(column));
    QCOMPARE(child<QLabel>(*w, QStringLiteral("fieldLine"))->text(), field);
    QCOMPARE(child<QLabel>(*w, QStringLiteral("maskLength"))->text(), length);
    QCOMPARE(child<QLabel>(*w, QStringLiteral("columnNumber"))->text(), QString::number(column));
    QCOMPARE(child<QLineEdit>(*w, QStringLiteral("sEdit1"))->text(), field.mid(4).chopped(4));
    QCOMPARE(child<QSpinBox>(*w, QStringLiteral("sSpinEdit1"))->value(), 77);
}

void ModilisteTest::columnChoiceStartsAtTheCurrentColumnAndStopsAtTheFieldCount_data()
{
    QTest::addColumn<int>("currentField"); // 0: no current cell
    QTest::addColumn<bool>("moved");       // field 5 moved to the front
    QTest::addColumn<int>("preset");
    QTest::addColumn<QString>("fieldAtOne");
    QTest::newRow("no current cell") << 0 << false << 1 << "001 NAVN....";
    QTest::newRow("current in column 3") << 3 << false << 3 << "001 NAVN....";
    QTest::newRow("moved column is counted from the left") << 5 << true << 1 << "005 AKTIV....";
    QTest::newRow("column pushed right by a move") << 3 << true << 4 << "005 AKTIV....";
}

void ModilisteTest::columnChoiceStartsAtTheCurrentColumnAndStopsAtTheFieldCount()
{
    QFETCH(int, currentField);
    QFETCH(bool, moved);
    QFETCH(int, preset);
    QFETCH(QString, fieldAtOne);
    Open o;
    if (moved)
        o.grid.horizontalHeader()->moveSection(4, 0);
    o.grid.setCurrentIndex({});
    if (currentField > 0) {
        const QRect cell = o.grid.visualRect(o.grid.model()->index(1, currentField - 1));
        QTest::mouseClick(o.grid.viewport(), Qt::LeftButton, {}, cell.center());
    }
    auto w = o.window();
    auto *spin = child<QSpinBox>(*w, QStringLiteral("sSpinEdit2"));
    QCOMPARE(spin->value(), preset);
    QCOMPARE(spin->minimum(), 1);
    QCOMPARE(spin->maximum(), o.db.DBF.fieldCount());
    typeInto(spin, QStringLiteral("9"));
    QVERIFY(spin->value() <= o.db.DBF.fieldCount());
    typeInto(spin, QStringLiteral("1"));
    QCOMPARE(child<QLabel>(*w, QStringLiteral("fieldLine"))->text(), fieldAtOne);
}

void ModilisteTest::widthAndHeadingSurviveCloseAndReopen_data()
{
    QTest::addColumn<QString>("width");
    QTest::newRow("width 0 stays 0") << "0";
    QTest::newRow("hidden stays hidden") << "-1";
    QTest::newRow("wide") << "333";
}

void ModilisteTest::widthAndHeadingSurviveCloseAndReopen()
{
    QFETCH(QString, width);
    Open o;
    const int firstWidth = o.grid.columnWidth(0);
    {
        auto w = o.window();
        typeInto(child<QSpinBox>(*w, QStringLiteral("sSpinEdit2")), QStringLiteral("2"));
        typeInto(child<QLineEdit>(*w, QStringLiteral("sEdit1")), QStringLiteral("Bel\u00F8p"));
        typeInto(child<QSpinBox>(*w, QStringLiteral("sSpinEdit1")), width);
        QTest::mouseClick(child<QPushButton>(*w, QStringLiteral("sButton1")), Qt::LeftButton);
        QCOMPARE(w->result(), int(QDialog::Accepted));
    }
    o.closeAndReopen();
    const kvilbo::listview::ListLayout stored =
        kvilbo::listview::readListLayout(o.db.layoutTable->FORFIL(), o.db.DBF);
    QCOMPARE(stored.state.columns[1].width, width.toInt());
    QCOMPARE(stored.state.columns[1].heading, std::string("Bel\xC3\xB8p"));
    QCOMPARE(o.grid.listColumnWidth(1), width.toInt());
    QCOMPARE(o.grid.model()->headerData(1, Qt::Horizontal).toString(), QStringLiteral("Bel\u00F8p"));
    QCOMPARE(o.grid.columnWidth(0), firstWidth); // the other columns keep their own widths
}

void ModilisteTest::fillingFromTheGridChangesNothing()
{
    Open o;
    o.grid.setListColumnWidth(2, 1500); // wider than the width box reaches
    const auto before = o.grid.listViewState();
    {
        auto w = o.window();
        typeInto(child<QSpinBox>(*w, QStringLiteral("sSpinEdit2")), QStringLiteral("3"));
        QTest::keyClick(child<QSpinBox>(*w, QStringLiteral("sSpinEdit2")), Qt::Key_Up);
        QTest::mouseClick(child<QPushButton>(*w, QStringLiteral("sButton1")), Qt::LeftButton);
    }
    const auto after = o.grid.listViewState();
    QCOMPARE(after.fontName, before.fontName);
    QCOMPARE(after.fontSize, before.fontSize);
    QCOMPARE(after.rowHeight, before.rowHeight);
    QCOMPARE(after.columns[2].width, 1500);
    for (std::size_t c = 0; c < before.columns.size(); ++c) {
        QCOMPARE(after.columns[c].heading, before.columns[c].heading);
        QCOMPARE(after.columns[c].width, before.columns[c].width);
    }
}

void ModilisteTest::escapeClosesOnlyWithDefEsc_data()
{
    QTest::addColumn<bool>("DefEsc");
    QTest::newRow("DefEsc set") << true;
    QTest::newRow("DefEsc not set") << false;
}

void ModilisteTest::escapeClosesOnlyWithDefEsc()
{
    QFETCH(bool, DefEsc);
    Open o;
    o.db.konfig.DefEsc = DefEsc;
    auto w = o.window();
    auto *edit = child<QLineEdit>(*w, QStringLiteral("sEdit1"));
    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_Escape);
    QCOMPARE(w->isVisible(), !DefEsc);
    QTest::keyClick(edit, Qt::Key_Return); // Enter in the heading does not close it either
    QCOMPARE(w->isVisible(), !DefEsc);
}

void ModilisteTest::captionsFollowTheLanguage_data()
{
    QTest::addColumn<int>("spraak");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("bold");
    QTest::addColumn<QString>("width");
    QTest::addColumn<QString>("background");
    QTest::newRow("Norwegian") << 0 << "Innstillinger til listevisning" << "F" << "Bredde" << "Bakgrunnsfarge";
    QTest::newRow("English") << 1 << "Preferences in list-view" << "B" << "Width" << "Background colour";
}

void ModilisteTest::captionsFollowTheLanguage()
{
    QFETCH(int, spraak);
    QFETCH(QString, title);
    QFETCH(QString, bold);
    QFETCH(QString, width);
    QFETCH(QString, background);
    Open o(spraak);
    auto w = o.window();
    QCOMPARE(w->windowTitle(), title);
    QCOMPARE(child<QToolButton>(*w, QStringLiteral("boldButton"))->text(), bold);
    QCOMPARE(child<QLabel>(*w, QStringLiteral("widthLabel"))->text(), width);
    QCOMPARE(child<QToolButton>(*w, QStringLiteral("backgroundColour"))->toolTip(), background);
}

QTEST_MAIN(ModilisteTest)
#include "modiliste_test.moc"
