#include "core/welcome_window.h"

#include "core/config.h"
#include "core/messages.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace kvilbo::core {

namespace {
QString text(const Texts &texts, int number)
{
    return QString::fromStdString(texts.ss(number));
}
} // namespace

WelcomeWindow::WelcomeWindow(TKonfig &konfig, const Texts &texts, const QString &version,
                             QWidget *parent)
    : QDialog(parent), m_konfig(konfig)
{
    setObjectName(QStringLiteral("Velkomst"));
    setWindowTitle(QStringLiteral("Kvilbo"));
    auto *layout = new QVBoxLayout(this);
    auto *title = new QLabel(text(texts, 3000), this);
    title->setObjectName(QStringLiteral("velkomstTittel"));
    QFont big = title->font();
    big.setPointSize(big.pointSize() + 6);
    big.setBold(true);
    title->setFont(big);
    layout->addWidget(title);
    for (const QString &line : {text(texts, 3020),
                                QString::fromStdString(texts.ss(3010, {version.toStdString()})),
                                text(texts, 3015), text(texts, 3070), text(texts, 3071)}) {
        layout->addWidget(new QLabel(line, this));
    }
    m_skip = new QCheckBox(text(texts, 3013), this);
    m_skip->setObjectName(QStringLiteral("ikkeVisNesteGang"));
    layout->addWidget(m_skip);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    buttons->button(QDialogButtonBox::Ok)->setText(text(texts, 2500));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(buttons);
}

void WelcomeWindow::prepare()
{
    m_skip->setChecked(!m_konfig.bootSplashScreen);
}

void WelcomeWindow::done(int result)
{
    m_konfig.bootSplashScreen = !m_skip->isChecked();
    QDialog::done(result);
}

} // namespace kvilbo::core
