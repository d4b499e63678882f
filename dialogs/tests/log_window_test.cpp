#include <QtTest>
class T : public QObject { Q_OBJECT };
QTEST_MAIN(T)
#include "log_window_test.moc"
