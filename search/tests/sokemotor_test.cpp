// The advanced search window driven by keys and the mouse over a small card
// table: rows, options, the summary, searches and their status texts.
#include "search/sokemotor.h"

#include "cardview/masked_edit.h"
#include "core/messages.h"

#include "card_table.h"
#include "text_grid.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>

using kvilbo::search::TFormSokemotor;
using namespace kvilbo::search::testing;

namespace {

std::vector<Card> fiveCards()
{
    return {
        {"Ola", "19800101", "100.00", "1", "T", ""},
        {"Kari Ola", "19900215", "99.99", "2", "F", ""},
        {"OLA", "20000101", "250.50", "3", "T", ""},
        {"Per", "", "0.00", "4", "F", "", "Storgata 1"},
        {"ola", "19751231", "100.00", "5", "F", ""},
    };
}

template <typename W>
W *child(QWidget &parent, const QString &name)
{
    W *w = parent.findChild<W *>(name);
    if (!w)
        qFatal("no child %s", qPrintable(name));
    return w;
}

// Steps a combo box with the arrow keys until it shows text.
void choose(QComboBox *combo, const QString &text)
{
    const int target = combo->findText(text);
    QVERIFY2(target >= 0, qPrintable(text));
    combo->setFocus();
    while (combo->currentIndex() < target)
        QTest::keyClick(combo, Qt::Key_Down);
    while (combo->currentIndex() > target)
        QTest::keyClick(combo, Qt::Key_Up);
}

void typeValue(QWidget &form, int row, const QString &text)
{
    auto *edit = child<kvilbo::cardview::MaskedEdit>(form, QStringLiteral("sMaskEdit%1").arg(row));
    QTest::mouseClick(edit, Qt::LeftButton);
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClicks(edit, text);
    QTest::keyClick(edit, Qt::Key_Tab); // leaves the box
}

void setChecked(QWidget &form, const char *name, bool on)
{
    auto *box = child<QCheckBox>(form, QLatin1String(name));
    if (box->isChecked() != on)
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(5, box->height() / 2));
}

QString status(QWidget &form) { return child<QLabel>(form, "sokeinfo")->text(); }

// Shown and active, so that leaving a value box with Tab ends its editing.
void showActive(QWidget &form)
{
    form.show();
    QApplication::setActiveWindow(&form);
    QVERIFY(QTest::qWaitForWindowActive(&form));
}

void search(QWidget &form) { QTest::mouseClick(child<QPushButton>(form, "sButton2"), Qt::LeftButton); }

} // namespace

class SokemotorTest : public QObject {
    Q_OBJECT

    std::unique_ptr<CardTable> m_table;
    std::unique_ptr<TextGrid> m_grid;
    kvilbo::core::Texts m_norsk{0};
    kvilbo::core::Texts m_english{1};

    std::vector<int> markedRecords() const
    {
        std::vector<int> recs;
        for (int row : kvilbo::search::markedRows(*m_grid))
            recs.push_back(m_grid->RowRecNo(row));
        return recs;
    }

private slots:
    void init()
    {
        m_table = std::make_unique<CardTable>(fiveCards());
        m_grid = std::make_unique<TextGrid>(m_table->DBF, 0);
    }

    void showingResetsTheRowsAndKeepsTheOptions()
    {
        TFormSokemotor form(m_norsk);
        form.setSearchTarget(&m_table->DBF, m_grid.get());
        showActive(form);
        auto *row1 = child<QComboBox>(form, "scombobox1");
        auto *row2 = child<QComboBox>(form, "sComboBox3");
        QCOMPARE(row1->currentText(), QString("001 NAVN"));
        QCOMPARE(row1->count(), 7);
        QCOMPARE(row2->itemText(0), QString("<ikke brukt>"));
        QCOMPARE(row2->itemText(7), QString("007 ADRESSELIN"));
        QCOMPARE(child<QComboBox>(form, "sComboBox10")->count(), 6);
        QVERIFY(!child<QCheckBox>(form, "sCheckBox5")->isChecked());
        QVERIFY(!child<QCheckBox>(form, "sCheckBox3")->isChecked());
        QVERIFY(child<QCheckBox>(form, "sCheckBox6")->isChecked());
        QVERIFY(child<QCheckBox>(form, "sCheckBox1")->isChecked());
        QCOMPARE(status(form), QString("Velkommen til s\u00f8kemotoren i Kvilbo"));
        QCOMPARE(form.windowTitle(), QString("Mark\u00e9r kort med avansert s\u00f8kemotor"));

        choose(row2, "003 BELOP");
        choose(child<QComboBox>(form, "sComboBox4"), ">=");
        typeValue(form, 1, "ola");
        setChecked(form, "sCheckBox3", true);
        form.hide();
        showActive(form);
        QCOMPARE(row2->currentText(), QString("<ikke brukt>"));
        QCOMPARE(child<QComboBox>(form, "sComboBox4")->currentText(), QString("="));
        QCOMPARE(child<kvilbo::cardview::MaskedEdit>(form, "sMaskEdit1")->fieldText(), QString());
        QVERIFY(child<QCheckBox>(form, "sCheckBox3")->isChecked());
    }

    void partialMatchAnyCaseMarksAndReportsHowMany()
    {
        TFormSokemotor form(m_norsk);
        form.setSearchTarget(&m_table->DBF, m_grid.get());
        showActive(form);
        typeValue(form, 1, "OLA"); // typed letters become lower case in a text field
        QCOMPARE(form.verdier(), QString("\"ola\""));
        QCOMPARE(child<QLabel>(form, "sLabel6")->text(), QString("S\u00f8k NAVN = \"ola\""));
        search(form);
        QCOMPARE(markedRecords(), (std::vector<int>{1, 2, 3, 5}));
        QCOMPARE(status(form), QString("Ditt s\u00f8kekriteria er funnet og markert p\u00e5 4 av 5 kort"));

        setChecked(form, "sCheckBox6", false);
        search(form);
        QCOMPARE(markedRecords(), (std::vector<int>{1, 3, 5}));
    }

    void secondRowJoinsByAndAndDropsOutWhenNotUsed()
    {
        m_grid->build(m_table->DBF, 1); // numbers shown with the decimal point
        TFormSokemotor form(m_english);
        form.setSearchTarget(&m_table->DBF, m_grid.get());
        showActive(form);
        typeValue(form, 1, "ola");
        choose(child<QComboBox>(form, "sComboBox3"), "003 BELOP");
        choose(child<QComboBox>(form, "sComboBox4"), ">=");
        typeValue(form, 2, "100");
        QCOMPARE(child<QLabel>(form, "sLabel6")->text(), QString("Search NAVN = \"ola\" and BELOP >= \"100.00\""));
        search(form);
        QCOMPARE(markedRecords(), (std::vector<int>{1, 3, 5}));
        QCOMPARE(status(form), QString("Your search criteria is found and marked in 3 of 5 records"));

        choose(child<QComboBox>(form, "sComboBox3"), "<not used>");
        QCOMPARE(form.feltnavn(), QString("\"NAVN\""));
        search(form);
        QCOMPARE(markedRecords(), (std::vector<int>{1, 2, 3, 5}));
    }

    void withoutClearingTwoSearchesAddUpAndNoHitSaysSo()
    {
        TFormSokemotor form(m_norsk);
        form.setSearchTarget(&m_table->DBF, m_grid.get());
        showActive(form);
        setChecked(form, "sCheckBox1", false);
        setChecked(form, "sCheckBox6", false);
        typeValue(form, 1, "per");
        search(form);
        typeValue(form, 1, "kari ola");
        search(form);
        QCOMPARE(markedRecords(), (std::vector<int>{2, 4}));
        typeValue(form, 1, "ingen");
        search(form);
        QCOMPARE(status(form), QString("Ingen kort funnet"));
        QCOMPARE(markedRecords(), (std::vector<int>{2, 4}));
    }

    void numericValueBoxFollowsTheFieldAndLanguage_data()
    {
        QTest::addColumn<int>("spraak");
        QTest::addColumn<QString>("mask");
        QTest::addColumn<QString>("zero");
        QTest::newRow("norwegian_comma") << 0 << "#####,##" << "0,00";
        QTest::newRow("english_point") << 1 << "#####.##" << "0.00";
    }

    void numericValueBoxFollowsTheFieldAndLanguage()
    {
        QFETCH(int, spraak);
        QFETCH(QString, mask);
        QFETCH(QString, zero);
        const kvilbo::core::Texts texts(static_cast<std::uint16_t>(spraak));
        TFormSokemotor form(texts);
        form.setSearchTarget(&m_table->DBF, m_grid.get());
        showActive(form);
        choose(child<QComboBox>(form, "scombobox1"), "003 BELOP");
        auto *edit = child<kvilbo::cardview::MaskedEdit>(form, "sMaskEdit1");
        QCOMPARE(edit->inputMask(), mask); // five digit places, the separator, two digit places
        QCOMPARE(edit->fieldText().trimmed(), zero);
        choose(child<QComboBox>(form, "scombobox1"), "001 NAVN");
        QCOMPARE(edit->inputMask(), QString());
        QCOMPARE(edit->maxLength(), 20);
    }

    void valueWithQuotesReachesTheMatcher()
    {
        m_table->DBF.Go(4);
        m_table->DBF.Store("NAVN", "Per \"P\"; x");
        m_table->DBF.Write(false);
        m_grid->build(m_table->DBF, 0);
        TFormSokemotor form(m_norsk);
        form.setSearchTarget(&m_table->DBF, m_grid.get());
        showActive(form);
        setChecked(form, "sCheckBox6", false);
        typeValue(form, 1, "per \"p\"; x");
        search(form);
        QCOMPARE(markedRecords(), (std::vector<int>{4}));
    }

    void escapeClosesOnlyWithDefEsc()
    {
        TFormSokemotor form(m_norsk);
        form.setSearchTarget(&m_table->DBF, m_grid.get());
        showActive(form);
        QTest::keyClick(&form, Qt::Key_Escape);
        QVERIFY(form.isVisible());
        form.setDefEsc(true);
        QTest::keyClick(&form, Qt::Key_Escape);
        QVERIFY(!form.isVisible());
        showActive(form);
        QTest::mouseClick(child<QPushButton>(form, "sButton1"), Qt::LeftButton);
        QVERIFY(!form.isVisible());
    }
};

QTEST_MAIN(SokemotorTest)
#include "sokemotor_test.moc"
