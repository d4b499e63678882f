#include "core/config.h"
#include "core/messages.h"
#include "dialog_test_support.h"
#include "dialogs/logg.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <fstream>

using namespace kvilbo;
using namespace kvilbo::dialogs;
using namespace kvilbo::dialogs::testing;

class LogWindowTest : public QObject
{
    Q_OBJECT

private:
    core::TKonfig m_konfig = core::defaultKonfig();
    core::Texts m_texts{0};

    QString text(int n) const { return QString::fromStdString(m_texts.ss(n)); }

    static void writeLog(const core::Log &log, int lines)
    {
        std::ofstream out(log.filePath(), std::ios::binary | std::ios::trunc);
        for (int i = 1; i <= lines; ++i)
            out << "01.02.2026 10:00:00 (KUNDER.DBF)->linje " << i << "\r\n";
    }

private slots:
    void lineLimitDecidesTheTrim_data()
    {
        QTest::addColumn<int>("lines");
        QTest::addColumn<bool>("needsTrim");
        QTest::newRow("exactly 500 lines") << 500 << false;
        QTest::newRow("501 lines") << 501 << true;
    }

    void lineLimitDecidesTheTrim()
    {
        QFETCH(int, lines);
        QFETCH(bool, needsTrim);
        QTemporaryDir dir;
        core::Log log(dir.path().toStdString(), m_texts);
        writeLog(log, lines);
        TFormLogg form(m_konfig, m_texts, log);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));

        auto *list = child<QListWidget>(form, "sListBox1");
        auto *trim = child<QPushButton>(form, "sSpeedButton13");
        auto *state = child<QLabel>(form, "sLabel10");
        QCOMPARE(form.windowTitle(), text(10010));
        QCOMPARE(list->count(), lines);
        QCOMPARE(child<QLabel>(form, "sLabel15")->text(), QString::fromStdString(m_texts.ss(10031, {lines})));
        QCOMPARE(state->text(), needsTrim ? text(10100) : text(2500));
        QCOMPARE(trim->isEnabled(), needsTrim);
        if (!needsTrim)
            return;

        click(trim);
        QCOMPARE(list->count(), 500);
        QCOMPARE(list->item(0)->text(), QStringLiteral("01.02.2026 10:00:00 (KUNDER.DBF)->linje 2"));
        QCOMPARE(log.readLines().size(), std::size_t(500));
        QCOMPARE(state->text(), text(2500));
        QVERIFY(!trim->isEnabled());
    }

    void newestLineIsSelectedAndFocused()
    {
        QTemporaryDir dir;
        core::Log log(dir.path().toStdString(), m_texts);
        writeLog(log, 40);
        log.MSG("siste melding");
        TFormLogg form(m_konfig, m_texts, log);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        auto *list = child<QListWidget>(form, "sListBox1");
        QCOMPARE(list->count(), 41);
        QCOMPARE(list->currentRow(), 40);
        QVERIFY(list->currentItem()->text().endsWith(QStringLiteral("->siste melding")));
        QVERIFY(list->hasFocus());
        QCOMPARE(child<QLabel>(form, "sLabel8")->text(), QString::fromStdString(log.filePath().string()));
    }

    void thousandByteLogShows896Bytes()
    {
        QTemporaryDir dir;
        core::Log log(dir.path().toStdString(), m_texts);
        std::ofstream(log.filePath(), std::ios::binary) << std::string(998, 'x') << "\r\n";
        TFormLogg form(m_konfig, m_texts, log);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QCOMPARE(child<QLabel>(form, "sLabel9")->text(), QStringLiteral("896 bytes"));
    }

    void missingLogShowsNoLines()
    {
        QTemporaryDir dir;
        core::Log log(dir.path().toStdString(), m_texts);
        TFormLogg form(m_konfig, m_texts, log);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QCOMPARE(child<QListWidget>(form, "sListBox1")->count(), 0);
        QCOMPARE(child<QLabel>(form, "sLabel10")->text(), text(2500));
    }

    void escClosesOnlyWhenTheSettingAllowsIt()
    {
        QTemporaryDir dir;
        core::Log log(dir.path().toStdString(), m_texts);
        TFormLogg form(m_konfig, m_texts, log);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        m_konfig.DefEsc = false;
        QTest::keyClick(child<QListWidget>(form, "sListBox1"), Qt::Key_Escape);
        QVERIFY(form.isVisible());
        m_konfig.DefEsc = true;
        QTest::keyClick(child<QListWidget>(form, "sListBox1"), Qt::Key_Escape);
        QVERIFY(!form.isVisible());
    }
};

QTEST_MAIN(LogWindowTest)
#include "log_window_test.moc"
