// Saves pictures of the settings dialog and the new-database wizard for the
// documentation: screenshots <folder>. Runs on the offscreen platform.

#include "core/config.h"
#include "core/messages.h"
#include "dialogs/konfigurasjon.h"
#include "dialogs/lagnydatabase.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPixmap>
#include <QTest>
#include <QTreeWidget>

#include <cstdio>

using namespace kvilbo;

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: screenshots <folder>\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    core::TKonfig konfig = core::defaultKonfig();
    konfig.intVersjon = 0;
    const core::Texts texts(0);

    dialogs::TFormKonfigurasjon settings(konfig, texts, "/tmp", {});
    settings.show();
    QApplication::processEvents();
    bool ok = settings.grab().save(folder + QStringLiteral("/settings.png"));
    settings.done(0);

    dialogs::TFormLagNyDatabase wizard(konfig, texts, "/tmp");
    wizard.show();
    QApplication::processEvents();
    auto *name = wizard.findChild<QLineEdit *>(QStringLiteral("sEdit3"));
    name->setFocus();
    name->selectAll();
    QTest::keyClicks(name, QStringLiteral("NAVN"));
    QTest::mouseClick(wizard.findChild<QWidget *>(QStringLiteral("sSpeedButton1")), Qt::LeftButton);
    name->selectAll();
    QTest::keyClicks(name, QStringLiteral("BELOP"));
    auto *type = wizard.findChild<QComboBox *>(QStringLiteral("sComboBox1"));
    type->setFocus();
    QTest::keyClick(type, Qt::Key_Down);
    QTest::keyClicks(wizard.findChild<QLineEdit *>(QStringLiteral("sFilenameEdit1")),
                     QStringLiteral("/home/kari/KUNDER.DBF"));
    QApplication::processEvents();
    ok = wizard.grab().save(folder + QStringLiteral("/wizard.png")) && ok;
    return ok ? 0 : 1;
}
