#include "core/config.h"
#include "core/messages.h"
#include "dialog_test_support.h"
#include "dialogs/informasjon.h"
#include "engine/dbf_table.h"

#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

using namespace kvilbo;
using namespace kvilbo::dialogs;
using namespace kvilbo::dialogs::testing;

class InformationWindowTest : public QObject
{
    Q_OBJECT

private:
    core::TKonfig m_konfig = core::defaultKonfig();
    core::Texts m_texts{0};

    QString text(int n) const { return QString::fromStdString(m_texts.ss(n)); }

    static std::string makeTable(const QTemporaryDir &dir, const char *folder)
    {
        QDir(dir.path()).mkpath(QLatin1String(folder));
        const std::string file = dir.filePath(QLatin1String(folder) + QStringLiteral("/Kunder.dbf")).toStdString();
        engine::TDbfTable t;
        t.LagFelt("NAVN", 'C', 20, 0, 0);
        t.LagFelt("BELOP", 'N', 10, 2, 0);
        t.LagDatabase(file, 0);
        return file;
    }

private slots:
    void withoutAnOpenTableOnlyTheCaptionIsSet()
    {
        engine::TDbfTable closed;
        TForm5 form(m_konfig, m_texts, &closed, nullptr);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QCOMPARE(form.windowTitle(), text(1003));
        for (const char *list : {"sListView1", "sListView2", "sListView3"})
            QCOMPARE(child<QTreeWidget>(form, list)->topLevelItemCount(), 0);
    }

    void openTableFillsTheThreeLists()
    {
        QTemporaryDir dir;
        const std::string file = makeTable(dir, "kort");
        engine::TDbfTable dbf;
        QVERIFY(dbf.OpenDatabase(file, false, false));
        TForm5 form(m_konfig, m_texts, &dbf, nullptr);
        form.setMountTable("");
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));

        QCOMPARE(child<QLabel>(form, "sLabel29")->text(), QStringLiteral("KUNDER.DBF"));
        QCOMPARE(child<QLabel>(form, "sLabel8")->text(), QString::fromStdString(file));
        QCOMPARE(child<QLabel>(form, "sLabel9")->text(), QStringLiteral("  ") + text(1200));
        auto *files = child<QTreeWidget>(form, "sListView1");
        QCOMPARE(files->topLevelItemCount(), 6);
        QCOMPARE(files->topLevelItem(2)->text(2), QStringLiteral("-1"));
        QCOMPARE(files->topLevelItem(5)->text(0), text(1205));
        auto *main = child<QTreeWidget>(form, "sListView3");
        QCOMPARE(main->topLevelItemCount(), 18);
        QCOMPARE(main->topLevelItem(1)->text(1), text(1282));
        auto *fields = child<QTreeWidget>(form, "sListView2");
        QCOMPARE(fields->topLevelItemCount(), 2);
        QCOMPARE(fields->topLevelItem(1)->text(0), QStringLiteral("002"));
        QCOMPARE(fields->topLevelItem(1)->text(1), QStringLiteral("BELOP"));
        QCOMPARE(fields->topLevelItem(1)->text(3), QStringLiteral("10"));
        QVERIFY(fields->topLevelItem(1)->textAlignment(4) & Qt::AlignRight);
    }

    void tableOnAnSmbMountShowsItsShare()
    {
        QTemporaryDir dir;
        const std::string file = makeTable(dir, "felles/kort");
        engine::TDbfTable dbf;
        QVERIFY(dbf.OpenDatabase(file, false, false));
        TForm5 form(m_konfig, m_texts, &dbf, nullptr);
        form.setMountTable("//filer/felles " + dir.filePath(QStringLiteral("felles")).toStdString() +
                           " cifs rw 0 0\n");
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QCOMPARE(child<QTreeWidget>(form, "sListView3")->topLevelItem(1)->text(1),
                 text(1283) + QStringLiteral("//filer/felles"));
    }

    void okAndEscClose()
    {
        engine::TDbfTable closed;
        TForm5 form(m_konfig, m_texts, &closed, nullptr);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        m_konfig.DefEsc = false;
        QTest::keyClick(&form, Qt::Key_Escape);
        QVERIFY(form.isVisible());
        m_konfig.DefEsc = true;
        QTest::keyClick(&form, Qt::Key_Escape);
        QVERIFY(!form.isVisible());
        form.show();
        click(child<QPushButton>(form, "sButton1"));
        QVERIFY(!form.isVisible());
        QCOMPARE(form.result(), int(QDialog::Accepted));
    }
};

QTEST_MAIN(InformationWindowTest)
#include "information_window_test.moc"
