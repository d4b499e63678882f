#pragma once

#include <QDialog>

#include <exception>
#include <functional>

class QLabel;

// The secondary windows close with Esc only when the settings allow it.

namespace kvilbo::dialogs {

/// A modal secondary window whose Esc key follows a setting.
class SecondaryDialog : public QDialog
{
public:
    /// escAllowed is asked at every Esc press.
    SecondaryDialog(std::function<bool()> escAllowed, QWidget *parent);

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    std::function<bool()> m_escAllowed;
};

/// Receives an error that an event handler of these windows could not deal with.
using ErrorHandler = std::function<void(std::exception_ptr error)>;
/// Sets where such errors go (the program's error dialog); unset, they are printed as warnings.
void setErrorHandler(ErrorHandler handler);
/// Hands an error to the handler; never throws.
void reportError(std::exception_ptr error) noexcept;

/// Runs body; what it throws goes to the error handler instead of through Qt.
template <typename Body>
void guarded(Body &&body) noexcept
{
    try {
        body();
    } catch (...) {
        reportError(std::current_exception());
    }
}

/// Runs action (guarded) when widget is clicked with the left button; for pictures used as buttons.
void callOnClick(QWidget *widget, std::function<void()> action);

/// A heading label: two blanks before the text, in bold.
QLabel *makeHeading(const QString &objectName, const QString &text, QWidget *parent);

} // namespace kvilbo::dialogs
