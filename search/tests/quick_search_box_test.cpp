// The quick search box driven by typing and Enter: status notices, the mark
// on a hit, the card view refresh and the text selected for the next search.
#include "search/quick_search_box.h"

#include "core/messages.h"

#include "card_table.h"
#include "recording_host.h"
#include "text_grid.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QTest>

using namespace kvilbo::search;
using namespace kvilbo::search::testing;

class QuickSearchBoxTest : public QObject {
    Q_OBJECT

private slots:
    void enterSearchesMarksAndSelectsTheText()
    {
        CardTable table({{"Ola", "", "1.00", "1", "T", ""},
                         {"Kari", "", "2.00", "2", "F", ""},
                         {"\xc3\x98ystein Ola", "", "3.00", "3", "T", ""}});
        TextGrid grid(table.DBF, 0);
        const kvilbo::core::Texts texts(0);
        RecordingHost host(grid, table.DBF);
        QLineEdit sEdit1;
        QCheckBox sCheckBox1;
        QuickSearchBox box(sEdit1, sCheckBox1, grid, texts, host);

        QTest::mouseClick(&sCheckBox1, Qt::LeftButton, {}, QPoint(5, sCheckBox1.height() / 2));
        QVERIFY(sCheckBox1.isChecked());
        QTest::keyClicks(&sEdit1, "  \xc3\xb8ystein ");
        QTest::keyClick(&sEdit1, Qt::Key_Return);
        QCOMPARE(grid.currentRecNo(), 3);
        QVERIFY(grid.IsRowMarked(2));
        QCOMPARE(host.notices.back(), std::string("S\u00f8ketekst funnet p\u00e5 kort 3 .."));
        QCOMPARE(host.cardViewRefreshes, 1);
        QCOMPARE(sEdit1.selectedText(), sEdit1.text());

        QTest::keyClicks(&sEdit1, "ola"); // replaces the selected text
        QTest::keyClick(&sEdit1, Qt::Key_Return);
        QTest::keyClick(&sEdit1, Qt::Key_Return);
        QCOMPARE(grid.currentRecNo(), 3); // wrapped: 1, then 3 again
        QCOMPARE(grid.CountMarkedRows(), 2);

        QTest::keyClicks(&sEdit1, "finnes ikke");
        QTest::keyClick(&sEdit1, Qt::Key_Return);
        QCOMPARE(host.notices.back(), std::string("IKKE FUNNET"));
        QCOMPARE(grid.currentRecNo(), 3);

        sEdit1.clear();
        QTest::keyClicks(&sEdit1, "   ");
        QTest::keyClick(&sEdit1, Qt::Key_Return);
        QCOMPARE(host.notices.back(), std::string("INGEN S\u00d8KETEKST"));
        QCOMPARE(host.cardViewRefreshes, 3);
    }
};

QTEST_MAIN(QuickSearchBoxTest)
#include "quick_search_box_test.moc"
