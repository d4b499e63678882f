// Saves a picture of the main window with a table open:
//   core_window_screenshot TABLE.DBF OUT.png
// Run it under a display (xvfb-run) so the window gets real fonts and sizes.

#include "core/hovedskjerm.h"
#include "core/program_errors.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

int main(int argc, char **argv)
{
    kvilbo::core::KvilboApplication app(argc, argv);
    kvilbo::core::KvilboApplication::setStyle(QStringLiteral("Fusion"));
    if (argc != 3) {
        qWarning("usage: core_window_screenshot TABLE.DBF OUT.png");
        return 2;
    }
    QTemporaryDir programFolder;
    kvilbo::core::StartOptions options;
    options.programFolder = programFolder.path().toStdString();
    options.userLanguage = 1044;
    options.startFile = QDir::current().absoluteFilePath(QString::fromLocal8Bit(argv[1])).toStdString();
    kvilbo::core::TForm3 window(options);
    window.Konfig().bootSplashScreen = false;
    window.start();
    window.resize(1100, 700);
    QTest::qWait(500);
    const bool saved = window.grab().save(QString::fromLocal8Bit(argv[2]));
    window.close();
    return saved ? 0 : 1;
}
