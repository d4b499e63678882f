#include "core/program_errors.h"

#include "core/error_report.h"

#include <QtGlobal>

namespace kvilbo::core {

namespace {

UnhandledErrorHandler &handlerSlot()
{
    static UnhandledErrorHandler handler;
    return handler;
}

void warnOnStderr(std::exception_ptr error) noexcept
{
    try {
        std::rethrow_exception(error);
    } catch (const std::exception &e) {
        qWarning("Unhandled error %s: %s", errorClassName(e).c_str(), innermostMessage(e).c_str());
    } catch (...) {
        qWarning("Unhandled error of unknown kind");
    }
}

} // namespace

void setUnhandledErrorHandler(UnhandledErrorHandler handler)
{
    handlerSlot() = std::move(handler);
}

void reportUnhandled(std::exception_ptr error) noexcept
{
    const UnhandledErrorHandler handler = handlerSlot();
    if (!handler) {
        warnOnStderr(error);
        return;
    }
    try {
        handler(error);
    } catch (...) {
        warnOnStderr(error);
    }
}

KvilboApplication::KvilboApplication(int &argc, char **argv) : QApplication(argc, argv)
{
}

bool KvilboApplication::notify(QObject *receiver, QEvent *event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        reportUnhandled(std::current_exception());
        return false;
    }
}

} // namespace kvilbo::core
