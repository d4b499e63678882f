#pragma once

#include <QApplication>

#include <exception>
#include <functional>

// One place where every unexpected error of the program ends: the handler the
// main window installs (its error dialog). Slots and event handlers of our
// windows run their bodies through guarded(); the application's notify() is
// the backstop for anything else thrown during event delivery.

namespace kvilbo::core {

/// Receives an unhandled error.
using UnhandledErrorHandler = std::function<void(std::exception_ptr error)>;

/// Installs the program-wide handler (an empty one restores the default: a warning on stderr).
void setUnhandledErrorHandler(UnhandledErrorHandler handler);

/// Hands error to the installed handler; never throws.
void reportUnhandled(std::exception_ptr error) noexcept;

/// Runs body; an exception it throws goes to the program-wide handler.
template <typename Body>
void guarded(Body &&body) noexcept
{
    try {
        body();
    } catch (...) {
        reportUnhandled(std::current_exception());
    }
}

/// The application object: delivers events and sends what they throw to the handler.
class KvilboApplication : public QApplication
{
public:
    KvilboApplication(int &argc, char **argv);
    /// Delivers the event; an exception goes to the program-wide handler.
    bool notify(QObject *receiver, QEvent *event) override;
};

} // namespace kvilbo::core
