#include "core/config.h"
#include "core/messages.h"
#include "dialog_test_support.h"
#include "dialogs/konfigurasjon.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QWheelEvent>

#include <cstring>
#include <vector>

using namespace kvilbo;
using namespace kvilbo::dialogs;
using namespace kvilbo::dialogs::testing;

namespace {

// The first byte where two records differ, or -1.
int firstDifference(const core::TKonfig &a, const core::TKonfig &b)
{
    const auto *pa = reinterpret_cast<const unsigned char *>(&a);
    const auto *pb = reinterpret_cast<const unsigned char *>(&b);
    for (std::size_t i = 0; i < sizeof(core::TKonfig); ++i)
        if (pa[i] != pb[i])
            return static_cast<int>(i);
    return -1;
}

} // namespace

class SettingsWindowTest : public QObject
{
    Q_OBJECT

private:
    core::TKonfig m_konfig = core::defaultKonfig();
    core::Texts m_texts{0};
    ScriptedPrompts m_prompts;
    QTemporaryDir m_dir;
    std::vector<std::pair<int, int>> m_recolours;

    struct Window
    {
        explicit Window(SettingsWindowTest &t)
            : form(t.m_konfig, t.m_texts, t.m_dir.path().toStdString(),
                   [&t](int hue, int sat) { t.m_recolours.emplace_back(hue, sat); }, &t.m_prompts)
        {
            form.show();
            QVERIFY(QTest::qWaitForWindowExposed(&form));
        }
        void page(int index)
        {
            auto *list = child<QListWidget>(form, "vliste");
            QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier,
                              list->visualItemRect(list->item(index)).center());
        }
        template <typename T>
        T *get(const char *name) { return child<T>(form, name); }
        void ok() { click(get<QPushButton>("sButton1")); }
        TFormKonfigurasjon form;
    };

    void closeBy(Window &w, const QString &how)
    {
        if (how == QLatin1String("ok"))
            w.ok();
        else if (how == QLatin1String("esc"))
            QTest::keyClick(w.get<QListWidget>("vliste"), Qt::Key_Escape);
        else
            w.form.close();
        QVERIFY(!w.form.isVisible());
    }

private slots:
    void openAndCloseKeepTheRecordButClampedValues_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("OK") << "ok";
        QTest::newRow("Esc") << "esc";
        QTest::newRow("close box") << "close";
    }

    void openAndCloseKeepTheRecordButClampedValues()
    {
        QFETCH(QString, how);
        const std::string family = QFontDatabase::families().value(0).toStdString();
        core::TKonfig &k = m_konfig;
        k.FormTFont.setText(family);
        k.FormDFont.setText("  " + family + " ");
        k.ListeFont.setText("Ingen Slik Skrift");
        k.UtskriftFontN.setText(family);
        k.UtskriftTTV.setText("  [%JOB]  ");
        k.UtskriftST.setText(" side ");
        k.ListeStdTxt1.setText("  med blanke  ");
        k.NetZombieTime = 1;
        k.bootDBFvalg = 1;
        k.bootDBFalltid.setText("/data/kunder.dbf");
        k.bootDBFsiste.setText("/data/siste.dbf");
        k.DefMappeJN = false;
        k.DefMappePATH.setText("/data");
        k.bootVinduValg = 2;
        k.bootListeView = false;
        k.ListeSortBlank = false;
        k.intVersjon = 0;
        k.DefAarHundre = 1900;
        k.FormSTG = 7;
        k.FormDFSTR = 14;
        k.ListeFU = true;
        k.UtskriftFontK = true;
        k.bootFargerHUE = 30;
        k.bootFargerSAT = -20;
        k.DefTvingNyMemo = true;
        k.FormTFBG.setColour(0x123456);
        k.reserved[7] = 0x55;

        core::TKonfig expected = k;
        expected.FormDFont.setText(family);
        expected.UtskriftTTV.setText("[%JOB]");
        expected.UtskriftST.setText("side");
        expected.NetZombieTime = 3;
        expected.bootDBFalltid.setText("");
        expected.DefMappePATH.setText("");

        {
            Window w(*this);
            closeBy(w, how);
        }
        QCOMPARE(firstDifference(m_konfig, expected), -1);
        QVERIFY(m_recolours.empty());
    }

    void startFileBoxFollowsTheAutostartChoice()
    {
        m_konfig.bootDBFvalg = 2;
        m_konfig.bootDBFalltid.setText("  /data/kunder.dbf ");
        {
            Window w(*this);
            auto *box = w.get<QLineEdit>("sFilenameEdit1");
            QVERIFY(box->isEnabled());
            QCOMPARE(box->text(), QStringLiteral("/data/kunder.dbf"));
            click(w.get<QRadioButton>("RadioButton8"));
            w.ok();
        }
        QCOMPARE(int(m_konfig.bootDBFvalg), 0);
        QCOMPARE(m_konfig.bootDBFalltid.text(), std::string());

        Window w(*this);
        auto *box = w.get<QLineEdit>("sFilenameEdit1");
        QVERIFY(!box->isEnabled());
        click(w.get<QRadioButton>("RadioButton4"));
        QVERIFY(box->isEnabled());
        click(w.get<QRadioButton>("RadioButton3"));
        QVERIFY2(box->isEnabled(), "nothing disables the box while the window is open");
        click(w.get<QRadioButton>("RadioButton1"));
        m_prompts.fileToChoose = QStringLiteral("/data/valgt.dbf");
        click(w.get<QToolButton>("sFilenameEdit1Button"));
        QCOMPARE(m_prompts.lastStartFolder, m_dir.path());
        QCOMPARE(m_prompts.lastFilter, QString::fromStdString(m_texts.ss(2098)));
        w.ok();
        QCOMPARE(int(m_konfig.bootDBFvalg), 2);
        QCOMPARE(m_konfig.bootDBFalltid.text(), std::string("/data/valgt.dbf"));
    }

    void programFolderChoiceEmptiesTheDatabaseFolder()
    {
        m_konfig.DefMappeJN = true;
        m_konfig.DefMappePATH.setText(" /data/kort ");
        Window w(*this);
        w.page(1);
        QCOMPARE(w.get<QLineEdit>("sDirectoryEdit1")->text(), QStringLiteral("/data/kort"));
        click(w.get<QRadioButton>("RadioButton2"));
        w.ok();
        QVERIFY(!m_konfig.DefMappeJN);
        QCOMPARE(m_konfig.DefMappePATH.text(), std::string());
    }

    void centuryIsTheNumberOr2000_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("item");
        QTest::addColumn<int>("century");
        QTest::newRow("letters typed") << "abc" << -1 << 2000;
        QTest::newRow("empty item chosen") << QString() << 9 << 2000;
        QTest::newRow("1900 chosen") << QString() << 4 << 1900;
        QTest::newRow("2150 typed") << "2150" << -1 << 2150;
    }

    void centuryIsTheNumberOr2000()
    {
        QFETCH(QString, typed);
        QFETCH(int, item);
        QFETCH(int, century);
        m_konfig.DefAarHundre = 1800;
        Window w(*this);
        w.page(1);
        auto *combo = w.get<QComboBox>("sComboBox1");
        combo->setFocus();
        if (item >= 0) {
            while (combo->currentIndex() < item)
                QTest::keyClick(combo, Qt::Key_Down);
            while (combo->currentIndex() > item)
                QTest::keyClick(combo, Qt::Key_Up);
        } else {
            combo->lineEdit()->selectAll();
            QTest::keyClicks(combo, typed);
        }
        w.ok();
        QCOMPARE(int(m_konfig.DefAarHundre), century);
    }

    void hueSliderRecoloursAtOnceAndIsStoredOnClose()
    {
        Window w(*this);
        w.page(2);
        auto *hue = w.get<QSlider>("sTrackBar1");
        hue->setFocus();
        for (int i = 0; i < 18; ++i)
            QTest::keyClick(hue, Qt::Key_PageUp);
        QCOMPARE(hue->value(), 180);
        QCOMPARE(w.get<QLabel>("sLabel86")->text(), QStringLiteral("180"));
        QCOMPARE(m_recolours.size(), std::size_t(18));
        QCOMPARE(m_recolours.back(), std::make_pair(180, 0));
        QCOMPARE(int(m_konfig.bootFargerHUE), 0);

        auto *sat = w.get<QSlider>("sTrackBar2");
        sat->setFocus();
        QTest::keyClick(sat, Qt::Key_Home);
        QCOMPARE(m_recolours.back(), std::make_pair(180, -100));
        QCOMPARE(w.get<QLabel>("sLabel87")->text(), QStringLiteral("-100"));
        w.ok();
        QCOMPARE(int(m_konfig.bootFargerHUE), 180);
        QCOMPARE(int(m_konfig.bootFargerSAT), -100);
    }

    void resetTurnsBothSlidersBackOnce()
    {
        m_konfig.bootFargerHUE = 90;
        m_konfig.bootFargerSAT = 40;
        Window w(*this);
        w.page(2);
        click(w.get<QToolButton>("sSpeedButton13"));
        QCOMPARE(m_recolours.back(), std::make_pair(0, 0));
        const std::size_t calls = m_recolours.size();
        click(w.get<QToolButton>("sSpeedButton13"));
        QCOMPARE(m_recolours.size(), calls);
        w.ok();
        QCOMPARE(int(m_konfig.bootFargerHUE), 0);
        QCOMPARE(int(m_konfig.bootFargerSAT), 0);
    }

    void typedValuesAreStored()
    {
        Window w(*this);
        w.page(5);
        auto *pageText = w.get<QLineEdit>("sEdit12");
        pageText->setFocus();
        pageText->selectAll();
        QTest::keyClicks(pageText, QString(120, QLatin1Char('s')));
        w.page(0);
        click(w.get<QRadioButton>("sRadioButton4"));
        w.page(3);
        m_prompts.colourToChoose = QColor(1, 2, 3);
        click(w.get<QToolButton>("sColorSelect3"));
        click(w.get<QToolButton>("sSpeedButton4"));
        w.ok();
        QCOMPARE(m_konfig.UtskriftST.text(), std::string(100, 's'));
        QCOMPARE(int(m_konfig.intVersjon), 1);
        QCOMPARE(m_konfig.FormTFT.text(), std::string("197121"));
        QVERIFY(m_konfig.FormTFF);
    }

    void navigationListShowsItsPage()
    {
        Window w(*this);
        auto *pages = w.get<QStackedWidget>("sPageControl1");
        QCOMPARE(pages->currentIndex(), 0);
        QCOMPARE(w.get<QListWidget>("vliste")->count(), 8);
        w.page(5);
        QCOMPARE(pages->currentIndex(), 5);
        QCOMPARE(w.get<QListWidget>("vliste")->item(7)->text(), QString::fromStdString(m_texts.ss(12030)));
    }

    void mouseWheelChangesNothing()
    {
        m_konfig.NetZombieTime = 30;
        Window w(*this);
        w.page(1);
        auto *spin = w.get<QSpinBox>("sSpinEdit1");
        const QPointF at = spin->rect().center();
        QWheelEvent wheel(at, spin->mapToGlobal(at), QPoint(), QPoint(0, 120), Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(spin, &wheel);
        QCOMPARE(spin->value(), 30);
    }

    void escFollowsTheSettingAsItWasWhenOpened()
    {
        m_konfig.DefEsc = false;
        Window w(*this);
        w.page(2);
        click(w.get<QCheckBox>("sCheckBox1"));
        QTest::keyClick(w.get<QListWidget>("vliste"), Qt::Key_Escape);
        QVERIFY(w.form.isVisible());
        w.ok();
        QVERIFY(m_konfig.DefEsc);
    }

    void cleanup()
    {
        m_konfig = core::defaultKonfig();
        m_prompts = ScriptedPrompts();
        m_recolours.clear();
    }
};

QTEST_MAIN(SettingsWindowTest)
#include "settings_window_test.moc"
