// Kvilbo: builds the application object and the main window and runs them.
// An optional argument names a table file to open at start ("Open with").

#include "core/hovedskjerm.h"
#include "core/program_errors.h"

int main(int argc, char *argv[])
{
    kvilbo::core::KvilboApplication app(argc, argv);
    kvilbo::core::KvilboApplication::setApplicationName(QStringLiteral("Kvilbo"));
    kvilbo::core::KvilboApplication::setStyle(QStringLiteral("Fusion"));

    const auto options = kvilbo::core::StartOptions::fromArguments(
        kvilbo::core::KvilboApplication::arguments(),
        kvilbo::core::KvilboApplication::applicationFilePath());
    kvilbo::core::TForm3 window(options);
    window.start();
    return kvilbo::core::KvilboApplication::exec();
}
