// The choose-field window driven by keys and the mouse: its rows, the choice
// by OK and double-click, and Escape only with the DefEsc setting.
#include "designer/velgfelt.h"

#include "core/messages.h"
#include "engine/dbf_table.h"

#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <functional>

using kvilbo::designer::TForm1;

class VelgfeltTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;

    // A card table with the given fields: name, type, length, decimals.
    void makeTable(kvilbo::engine::TDbfTable &DBF, const QString &name,
                   const std::vector<std::tuple<const char *, char, int, int>> &fields)
    {
        const std::string path = (m_dir.path() + "/" + name).toStdString();
        kvilbo::engine::TDbfTable maker;
        for (const auto &[n, t, l, d] : fields)
            QVERIFY(maker.LagFelt(n, t, static_cast<std::uint8_t>(l), static_cast<std::uint8_t>(d), 0));
        maker.LagDatabase(path, 0);
        QVERIFY(DBF.OpenDatabase(path, true, false));
    }

    // Runs the window modally while act drives it; returns velgfeltvindu's result.
    static int runWith(TForm1 &form, std::function<void(TForm1 &)> act)
    {
        bool acted = false;
        QTimer::singleShot(0, &form, [&] {
            act(form);
            acted = true;
            if (form.isVisible()) // the step left it open: close it by OK
                QTest::mouseClick(form.findChild<QPushButton *>("sButton1"), Qt::LeftButton);
        });
        const int result = form.velgfeltvindu();
        return acted ? result : -1;
    }

    static QTreeWidget *list(TForm1 &form) { return form.findChild<QTreeWidget *>("sListView1"); }

private slots:
    void rowsDescribeEveryFieldAndAreRefilledAtEachShowing()
    {
        kvilbo::engine::TDbfTable first, second;
        makeTable(first, "A.DBF", {{"NAVN", 'C', 30, 0}, {"BELOP", 'N', 8, 2}, {"FODT", 'D', 8, 0}});
        makeTable(second, "B.DBF", {{"AKTIV", 'L', 1, 0}});
        const kvilbo::core::Texts english(1);
        TForm1 form(english);
        form.setTable(&first);
        QStringList row2;
        runWith(form, [&](TForm1 &f) {
            QTreeWidgetItem *item = list(f)->topLevelItem(1);
            for (int c = 0; c < 5; ++c)
                row2 << item->text(c);
        });
        QCOMPARE(row2, (QStringList{"002", "BELOP", QString::fromStdString(first.FieldTypeE(2)), "8", "2"}));
        QCOMPARE(form.windowTitle(), QString("Fields"));
        QCOMPARE(list(form)->headerItem()->text(4), QString("Dec"));

        form.setTable(&second);
        int rows = 0;
        QString name;
        runWith(form, [&](TForm1 &f) {
            rows = list(f)->topLevelItemCount();
            name = list(f)->topLevelItem(0)->text(1);
        });
        QCOMPARE(rows, 1);
        QCOMPARE(name, QString("AKTIV"));
    }

    void choiceByOkAndByDoubleClick()
    {
        kvilbo::engine::TDbfTable DBF;
        makeTable(DBF, "C.DBF", {{"NAVN", 'C', 30, 0}, {"BELOP", 'N', 8, 2}, {"FODT", 'D', 8, 0}});
        const kvilbo::core::Texts norsk(0);
        TForm1 form(norsk);
        form.setTable(&DBF);
        QCOMPARE(runWith(form, [](TForm1 &) {}), 1); // row 0 is selected on every showing
        QCOMPARE(runWith(form, [](TForm1 &f) {
                     QTest::keyClick(list(f), Qt::Key_Down);
                     QTest::keyClick(list(f), Qt::Key_Down);
                 }),
                 3);
        QCOMPARE(runWith(form, [](TForm1 &f) {
                     QTreeWidget *l = list(f);
                     const QPoint at = l->visualItemRect(l->topLevelItem(1)).center();
                     QTest::mouseClick(l->viewport(), Qt::LeftButton, {}, at);
                     QTest::mouseDClick(l->viewport(), Qt::LeftButton, {}, at);
                 }),
                 2);
        QCOMPARE(form.windowTitle(), QString("Felter"));
    }

    void escapeCancelsOnlyWithDefEsc()
    {
        kvilbo::engine::TDbfTable DBF;
        makeTable(DBF, "D.DBF", {{"NAVN", 'C', 30, 0}, {"BELOP", 'N', 8, 2}});
        const kvilbo::core::Texts norsk(0);
        TForm1 form(norsk);
        form.setTable(&DBF);
        bool stillOpen = false;
        QCOMPARE(runWith(form, [&](TForm1 &f) {
                     QTest::keyClick(list(f), Qt::Key_Down);
                     QTest::keyClick(list(f), Qt::Key_Escape);
                     stillOpen = f.isVisible();
                 }),
                 2);
        QVERIFY(stillOpen);
        form.setDefEsc(true);
        QCOMPARE(runWith(form, [](TForm1 &f) { QTest::keyClick(list(f), Qt::Key_Escape); }), 0);
        QCOMPARE(runWith(form, [](TForm1 &f) { f.close(); }), 0);
    }
};

QTEST_MAIN(VelgfeltTest)
#include "velgfelt_test.moc"
