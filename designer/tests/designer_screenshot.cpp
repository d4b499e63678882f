// Not a test: draws design mode over the demo database for the documentation.
// Usage: designer_screenshot <png file>

#include "design_harness.h"

#include <QApplication>
#include <QTest>

#include <cstdio>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s <png file>\n", argv[0]);
        return 2;
    }
    kvilbo::designer::test::DesignHarness h;
    h.window.resize(1100, 720);
    h.window.show();
    if (!QTest::qWaitForWindowExposed(&h.window))
        return 1;
    h.enter();
    auto *field = h.control(QStringLiteral("DatabaseField2"));
    if (field)
        QTest::mouseClick(h.mode->sizeCtrl(), Qt::LeftButton, {}, field->geometry().center());
    QApplication::processEvents();
    return h.window.grab().save(QString::fromLocal8Bit(argv[1])) ? 0 : 1;
}
