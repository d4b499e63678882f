#include <QApplication>
#include <QMainWindow>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kvilbo"));
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Kvilbo"));
    window.resize(1024, 700);
    window.show();
    return QApplication::exec();
}
