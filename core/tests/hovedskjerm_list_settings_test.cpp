// The list view settings window opened from the main window's modify button:
// what it changes in the grid must outlive closing and reopening the database.

// moc does not read C++20 concepts; it needs none of these headers.
#ifndef Q_MOC_RUN
#include "window_test_support.h"
#endif

#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>

using namespace kvilbo::core;
using namespace kvilbo::core::testing;

namespace {

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

QString headingShown(QWidget &w, int column)
{
    return grid(w)->model()->headerData(column, Qt::Horizontal).toString();
}

} // namespace

class HovedskjermListSettingsTest : public WindowTestBase
{
    Q_OBJECT

private slots:
    void changesSurviveCloseAndReopen_data()
    {
        QTest::addColumn<int>("currentColumn"); // clicked in the list before the button
        QTest::addColumn<int>("chosenColumn");  // 0: the window's preset is kept
        QTest::addColumn<QString>("typedHeading");
        QTest::addColumn<QString>("typedWidth");
        QTest::addColumn<QString>("heading");
        QTest::addColumn<int>("width");
        QTest::newRow("heading of the current column") << 2 << 0 << QStringLiteral("Bosted") << QString()
                                                       << QStringLiteral("Bosted") << -2;
        QTest::newRow("heading with blanks and Norwegian letters")
            << 1 << 3 << QStringLiteral(" \u00C5r ") << QString() << QStringLiteral("\u00C5r") << -2;
        QTest::newRow("width 0") << 1 << 2 << QString() << QStringLiteral("0") << QStringLiteral("BY") << 0;
    }

    void changesSurviveCloseAndReopen()
    {
        QFETCH(int, currentColumn);
        QFETCH(int, chosenColumn);
        QFETCH(QString, typedHeading);
        QFETCH(QString, typedWidth);
        QFETCH(QString, heading);
        QFETCH(int, width);
        QTemporaryDir folder;
        FakePrompts prompts;
        TForm3 w(options(folder, prompts));
        w.start();
        const ChosenDatabase file = demo(folder);
        openWithDialog(w, prompts, file);
        QTableView *list = grid(w);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualRect(list->model()->index(1, currentColumn - 1)).center());
        const int column = chosenColumn > 0 ? chosenColumn : currentColumn;
        const int widthBefore = list->columnWidth(column - 1);

        int presetSeen = 0;
        prompts.onModal = [&](QDialog &d) {
            d.show();
            QVERIFY(QTest::qWaitForWindowExposed(&d));
            auto *choice = d.findChild<QSpinBox *>("sSpinEdit2");
            presetSeen = choice->value();
            if (chosenColumn > 0)
                typeInto(choice, QString::number(chosenColumn));
            if (!typedHeading.isEmpty())
                typeInto(d.findChild<QLineEdit *>("sEdit1"), typedHeading);
            if (!typedWidth.isEmpty())
                typeInto(d.findChild<QSpinBox *>("sSpinEdit1"), typedWidth);
            QTest::mouseClick(d.findChild<QPushButton *>("sButton1"), Qt::LeftButton);
        };
        click(w, "ToolButton3");
        QCOMPARE(prompts.modals.count(QStringLiteral("formmodiliste")), 1);
        QCOMPARE(presetSeen, currentColumn);
        QCOMPARE(headingShown(w, column - 1), heading);
        QVERIFY(w.findChild<QToolButton *>("ToolButton3")->isEnabled());

        click(w, "ToolButton26");
        QVERIFY(!w.session().isOpen());
        openWithDialog(w, prompts, file);
        QVERIFY(w.session().isOpen());
        QCOMPARE(headingShown(w, column - 1), heading);
        QCOMPARE(list->columnWidth(column - 1), width == -2 ? widthBefore : width);
    }

    void theCardViewsModifyButtonDoesNotOpenIt()
    {
        QTemporaryDir folder;
        FakePrompts prompts;
        TForm3 w(options(folder, prompts));
        w.start();
        openWithDialog(w, prompts, demo(folder));
        click(w, "ToolButton2");
        QVERIFY(!w.ListeVisningAktiv());
        click(w, "ToolButton3");
        QVERIFY(!prompts.modals.contains("formmodiliste"));
    }
};

QTEST_MAIN(HovedskjermListSettingsTest)
#include "hovedskjerm_list_settings_test.moc"
