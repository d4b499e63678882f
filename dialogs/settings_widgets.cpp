#include "dialogs/settings_widgets.h"

#include "dialogs/dialog_prompts.h"
#include "dialogs/secondary_dialog.h"
#include "dialogs/settings_rules.h"

#include <QComboBox>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPixmap>
#include <QSpinBox>

namespace kvilbo::dialogs {

QColor colourOfBgr(std::uint32_t bgr)
{
    return QColor(static_cast<int>(bgr & 0xFF), static_cast<int>((bgr >> 8) & 0xFF),
                  static_cast<int>((bgr >> 16) & 0xFF));
}

std::uint32_t bgrOfColour(const QColor &colour)
{
    const QColor rgb = colour.toRgb();
    return static_cast<std::uint32_t>(rgb.red()) | (static_cast<std::uint32_t>(rgb.green()) << 8) |
           (static_cast<std::uint32_t>(rgb.blue()) << 16);
}

ColourSelect::ColourSelect(const char *name, const QString &caption, DialogPrompts &prompts,
                           QWidget *parent)
    : QToolButton(parent), m_prompts(prompts)
{
    setObjectName(QLatin1String(name));
    setText(caption);
    setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    setColour(Qt::black);
    connect(this, &QToolButton::clicked, this, [this] { guarded([this] { choose(); }); });
}

void ColourSelect::setColour(const QColor &colour)
{
    m_colour = colour;
    QPixmap swatch(16, 16);
    swatch.fill(colour);
    setIcon(QIcon(swatch));
}

void ColourSelect::load(const core::KColour &stored)
{
    setColour(colourOfBgr(stored.colour()));
}

void ColourSelect::store(core::KColour &stored) const
{
    stored.setColour(bgrOfColour(m_colour));
}

void ColourSelect::choose()
{
    const QColor chosen = m_prompts.colour(this, m_colour);
    if (chosen.isValid())
        setColour(chosen);
}

FontNameBox::FontNameBox(const char *name, QWidget *parent) : QWidget(parent), m_combo(new QComboBox(this))
{
    m_combo->setObjectName(QLatin1String(name));
    m_combo->addItems(QFontDatabase::families());
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_combo);
}

void FontNameBox::load(const std::string &name)
{
    if (m_keptEntry) {
        m_combo->removeItem(0);
        m_keptEntry = false;
    }
    const QString wanted = QString::fromStdString(trimBlanks(name));
    int index = wanted.isEmpty() ? -1 : m_combo->findText(wanted, Qt::MatchFixedString);
    // Settings files travel between machines; a font this one lacks is drawn
    // with Qt's nearest substitute, and wiping its name on OK would lose the
    // user's choice for the machine that has it.
    if (index < 0 && !wanted.isEmpty()) {
        m_combo->insertItem(0, wanted);
        m_keptEntry = true;
        index = 0;
    }
    m_combo->setCurrentIndex(index);
}

std::string FontNameBox::name() const
{
    return m_combo->currentIndex() < 0 ? std::string() : m_combo->currentText().toStdString();
}

PathBox::PathBox(const char *name, std::function<QString(const QString &current)> browse, QWidget *parent)
    : QWidget(parent), m_edit(new QLineEdit(this))
{
    m_edit->setObjectName(QLatin1String(name));
    auto *button = new QToolButton(this);
    button->setObjectName(QLatin1String(name) + QStringLiteral("Button"));
    button->setText(QStringLiteral("..."));
    connect(button, &QToolButton::clicked, this, [this, browse] {
        guarded([&] {
            const QString chosen = browse(m_edit->text());
            if (!chosen.isEmpty())
                m_edit->setText(chosen);
        });
    });
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_edit, 1);
    layout->addWidget(button);
}

QToolButton *toggleButton(const char *name, const QString &caption, QWidget *parent)
{
    auto *button = new QToolButton(parent);
    button->setObjectName(QLatin1String(name));
    button->setText(caption);
    button->setCheckable(true);
    return button;
}

QSpinBox *spinBox(const char *name, int minimum, int maximum, QWidget *parent)
{
    auto *box = new QSpinBox(parent);
    box->setObjectName(QLatin1String(name));
    box->setRange(minimum, maximum);
    return box;
}

} // namespace kvilbo::dialogs
