#include "dialogs/secondary_dialog.h"

#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>

namespace kvilbo::dialogs {
namespace {

class ClickFilter : public QObject
{
public:
    ClickFilter(std::function<void()> action, QObject *parent) : QObject(parent), m_action(std::move(action)) {}

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::MouseButtonRelease &&
            static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
            guarded(m_action);
            return true;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> m_action;
};

ErrorHandler &handlerSlot()
{
    static ErrorHandler handler;
    return handler;
}

} // namespace

void setErrorHandler(ErrorHandler handler)
{
    handlerSlot() = std::move(handler);
}

void reportError(std::exception_ptr error) noexcept
{
    try {
        if (handlerSlot()) {
            handlerSlot()(error);
            return;
        }
        std::rethrow_exception(error);
    } catch (const std::exception &e) {
        qWarning("Unhandled error: %s", e.what());
    } catch (...) {
        qWarning("Unhandled error of an unknown kind");
    }
}

SecondaryDialog::SecondaryDialog(std::function<bool()> escAllowed, QWidget *parent)
    : QDialog(parent), m_escAllowed(std::move(escAllowed))
{
}

void SecondaryDialog::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        if (m_escAllowed && m_escAllowed())
            reject();
        else
            event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void callOnClick(QWidget *widget, std::function<void()> action)
{
    widget->installEventFilter(new ClickFilter(std::move(action), widget));
}

QLabel *makeHeading(const QString &objectName, const QString &text, QWidget *parent)
{
    auto *label = new QLabel(QStringLiteral("  ") + text, parent);
    label->setObjectName(objectName);
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    return label;
}

} // namespace kvilbo::dialogs
