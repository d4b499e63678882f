#include "listview/modiliste.h"

#include "core/config.h"
#include "core/messages.h"
#include "engine/dbf_table.h"
#include "listview/list_grid.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QShowEvent>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cstdio>

namespace kvilbo::listview {

namespace {

QLabel *caption(const char *name, QWidget *parent)
{
    auto *label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    return label;
}

QSpinBox *spinBox(const char *name, int minimum, int maximum, QWidget *parent)
{
    auto *box = new QSpinBox(parent);
    box->setObjectName(QLatin1String(name));
    box->setRange(minimum, maximum);
    return box;
}

QToolButton *toggleButton(const char *name, QWidget *parent)
{
    auto *button = new QToolButton(parent);
    button->setObjectName(QLatin1String(name));
    button->setCheckable(true);
    button->setFixedSize(26, 24);
    return button;
}

QIcon swatch(const QColor &colour)
{
    QPixmap pixmap(18, 14);
    pixmap.fill(colour);
    QPainter painter(&pixmap);
    painter.setPen(Qt::black);
    painter.drawRect(pixmap.rect().adjusted(0, 0, -1, -1));
    return QIcon(pixmap);
}

// The field line of the column section: "003 NAVN....".
QString fieldLine(int field, const std::string &name)
{
    char number[8];
    std::snprintf(number, sizeof number, "%03d", field);
    return QLatin1String(number) + QLatin1Char(' ') + QString::fromStdString(name) + QStringLiteral("....");
}

} // namespace

Tformmodiliste::Tformmodiliste(ListGrid &grid, const core::TKonfig &konfig, const core::Texts &texts,
                               QWidget *parent)
    : SecondaryDialog([&konfig] { return bool(konfig.DefEsc); }, parent), m_grid(grid), m_texts(texts)
{
    setObjectName(QStringLiteral("formmodiliste"));
    m_chooseColour = [this](const QColor &current, const QString &title) -> std::optional<QColor> {
        const QColor chosen = QColorDialog::getColor(current, this, title);
        if (!chosen.isValid())
            return std::nullopt;
        return chosen;
    };
    buildWindow();
    const int current = m_grid.currentColumn();
    const QSignalBlocker quiet(m_sSpinEdit2);
    m_sSpinEdit2->setRange(1, std::max(1, m_grid.listModel().columnCount()));
    m_sSpinEdit2->setValue(current > 0 ? current : 1);
    FormActivate();
}

QString Tformmodiliste::text(int number) const
{
    return QString::fromStdString(m_texts.ss(number));
}

void Tformmodiliste::buildWindow()
{
    m_fontName = new QComboBox(this);
    m_fontName->setObjectName(QStringLiteral("fontName"));
    m_fontName->addItems(QFontDatabase::families());
    m_sSpinEdit3 = spinBox("sSpinEdit3", 6, 30, this);
    m_sSpinEdit4 = spinBox("sSpinEdit4", 5, 70, this);
    m_bold = toggleButton("boldButton", this);
    m_italic = toggleButton("italicButton", this);
    m_underline = toggleButton("underlineButton", this);
    QFont f = m_bold->font();
    f.setBold(true);
    m_bold->setFont(f);
    f = m_italic->font();
    f.setItalic(true);
    m_italic->setFont(f);
    f = m_underline->font();
    f.setUnderline(true);
    m_underline->setFont(f);
    m_textColour = new QToolButton(this);
    m_textColour->setObjectName(QStringLiteral("textColour"));
    m_backgroundColour = new QToolButton(this);
    m_backgroundColour->setObjectName(QStringLiteral("backgroundColour"));
    m_horizontalLines = new QCheckBox(this);
    m_horizontalLines->setObjectName(QStringLiteral("horizontalLines"));
    m_verticalLines = new QCheckBox(this);
    m_verticalLines->setObjectName(QStringLiteral("verticalLines"));

    m_sSpinEdit2 = spinBox("sSpinEdit2", 1, 1, this);
    m_columnNumber = caption("columnNumber", this);
    m_fieldLine = caption("fieldLine", this);
    m_maskLength = caption("maskLength", this);
    m_sEdit1 = new QLineEdit(this);
    m_sEdit1->setObjectName(QStringLiteral("sEdit1"));
    m_sSpinEdit1 = spinBox("sSpinEdit1", -1, 1000, this);

    auto *list = new QGridLayout;
    list->addWidget(caption("fontNameLabel", this), 0, 0);
    list->addWidget(m_fontName, 0, 1, 1, 3);
    list->addWidget(caption("fontSizeLabel", this), 1, 0);
    list->addWidget(m_sSpinEdit3, 1, 1);
    list->addWidget(caption("rowHeightLabel", this), 1, 2);
    list->addWidget(m_sSpinEdit4, 1, 3);
    auto *style = new QHBoxLayout;
    style->addWidget(m_bold);
    style->addWidget(m_italic);
    style->addWidget(m_underline);
    style->addStretch(1);
    list->addWidget(caption("styleLabel", this), 2, 0);
    list->addLayout(style, 2, 1);
    auto *colours = new QHBoxLayout;
    colours->addWidget(m_textColour);
    colours->addWidget(m_backgroundColour);
    colours->addStretch(1);
    list->addWidget(caption("coloursLabel", this), 2, 2);
    list->addLayout(colours, 2, 3);
    list->addWidget(m_horizontalLines, 3, 0, 1, 4);
    list->addWidget(m_verticalLines, 4, 0, 1, 4);

    auto *column = new QGridLayout;
    column->addWidget(caption("columnLabel", this), 0, 0);
    column->addWidget(m_sSpinEdit2, 0, 1);
    column->addWidget(caption("columnNumberLabel", this), 1, 0);
    column->addWidget(m_columnNumber, 1, 1);
    column->addWidget(caption("fieldNameLabel", this), 2, 0);
    column->addWidget(m_fieldLine, 2, 1);
    column->addWidget(caption("maskLengthLabel", this), 3, 0);
    column->addWidget(m_maskLength, 3, 1);
    column->addWidget(caption("headingLabel", this), 4, 0);
    column->addWidget(m_sEdit1, 4, 1);
    column->addWidget(caption("widthLabel", this), 5, 0);
    column->addWidget(m_sSpinEdit1, 5, 1);
    column->setColumnStretch(1, 1);

    auto *sButton1 = new QPushButton(this);
    sButton1->setObjectName(QStringLiteral("sButton1"));
    sButton1->setAutoDefault(false); // Enter in the heading edit must not close the window
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(sButton1);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(dialogs::makeHeading(QStringLiteral("listHeading"), QString(), this));
    layout->addLayout(list);
    layout->addSpacing(12);
    layout->addWidget(dialogs::makeHeading(QStringLiteral("columnHeading"), QString(), this));
    layout->addWidget(caption("columnNote", this));
    layout->addLayout(column);
    layout->addStretch(1);
    layout->addLayout(buttons);

    connect(sButton1, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_fontName, &QComboBox::currentTextChanged, this, [this] { changeFont(); });
    connect(m_sSpinEdit3, &QSpinBox::valueChanged, this, [this] { changeFont(); });
    for (QToolButton *b : {m_bold, m_italic, m_underline})
        connect(b, &QToolButton::toggled, this, [this] { changeFont(); });
    connect(m_textColour, &QToolButton::clicked, this, [this] { chooseColour(false); });
    connect(m_backgroundColour, &QToolButton::clicked, this, [this] { chooseColour(true); });
    connect(m_horizontalLines, &QCheckBox::toggled, this, [this] { changeLines(); });
    connect(m_verticalLines, &QCheckBox::toggled, this, [this] { changeLines(); });
    connect(m_sSpinEdit4, &QSpinBox::valueChanged, this, [this](int v) { changeRowHeight(v); });
    connect(m_sSpinEdit2, &QSpinBox::valueChanged, this, [this] { fillColumnSection(); });
    connect(m_sEdit1, &QLineEdit::textChanged, this, [this](const QString &t) { changeHeading(t); });
    connect(m_sSpinEdit1, &QSpinBox::valueChanged, this, [this](int v) { changeWidth(v); });
}

void Tformmodiliste::showEvent(QShowEvent *event)
{
    if (!event->spontaneous())
        dialogs::guarded([this] { FormActivate(); });
    SecondaryDialog::showEvent(event);
}

void Tformmodiliste::FormActivate()
{
    setWindowTitle(text(5000));
    const auto put = [this](const char *name, const std::string &caption) {
        if (auto *w = findChild<QWidget *>(QLatin1String(name)))
            w->setProperty("text", QString::fromStdString(caption));
    };
    put("listHeading", "  " + m_texts.ss(5020));
    put("fontNameLabel", m_texts.ss(5100));
    put("fontSizeLabel", m_texts.ss(5101));
    put("rowHeightLabel", m_texts.ss(5109));
    put("styleLabel", m_texts.ss(5104));
    put("boldButton", m_texts.ss(11105));
    put("italicButton", m_texts.ss(11106));
    put("underlineButton", m_texts.ss(11107));
    put("coloursLabel", m_texts.ss(5107));
    put("horizontalLines", m_texts.ss(5112));
    put("verticalLines", m_texts.ss(5114));
    put("columnHeading", "  " + m_texts.ss(5010));
    put("columnNote", m_texts.ss(5009));
    put("columnLabel", m_texts.ss(5011));
    put("columnNumberLabel", m_texts.ss(5012));
    put("fieldNameLabel", m_texts.ss(5013));
    put("maskLengthLabel", m_texts.ss(5014));
    put("headingLabel", m_texts.ss(5015));
    put("widthLabel", m_texts.ss(5016));
    put("sButton1", m_texts.ss(2500));
    m_textColour->setToolTip(QString::fromStdString(m_texts.ss(11108)));
    m_backgroundColour->setToolTip(QString::fromStdString(m_texts.ss(11109)));
    {
        const QSignalBlocker quiet(m_sSpinEdit2);
        m_sSpinEdit2->setRange(1, std::max(1, m_grid.listModel().columnCount()));
    }
    fillColumnSection();
    fillListSection();
}

void Tformmodiliste::fillListSection()
{
    m_filling = true;
    const QFont font = m_grid.font();
    const QString name = font.family().trimmed();
    // A font this machine lacks stays named as it is, so it is not lost at close.
    if (m_fontName->findText(name) < 0)
        m_fontName->insertItem(0, name);
    m_fontName->setCurrentText(name);
    m_sSpinEdit3->setValue(m_grid.fontSize());
    m_sSpinEdit4->setValue(m_grid.defaultRowHeight());
    m_bold->setChecked(font.bold());
    m_italic->setChecked(font.italic());
    m_underline->setChecked(font.underline());
    m_horizontalLines->setChecked(m_grid.horizontalLines());
    m_verticalLines->setChecked(m_grid.verticalLines());
    showColours();
    m_filling = false;
}

int Tformmodiliste::chosenColumn() const
{
    return m_grid.logicalColumn(m_sSpinEdit2->value());
}

void Tformmodiliste::fillColumnSection()
{
    m_filling = true;
    const ListModel &model = m_grid.listModel();
    const int c = chosenColumn();
    engine::TDbfTable *table = model.table();
    const bool known = c >= 0 && table != nullptr;
    for (QWidget *w : std::initializer_list<QWidget *>{m_sSpinEdit2, m_sEdit1, m_sSpinEdit1})
        w->setEnabled(known);
    m_columnNumber->setText(known ? QString::number(m_sSpinEdit2->value()) : QString());
    if (known) {
        const int f = model.descriptor(c).field;
        m_fieldLine->setText(fieldLine(f, table->FieldName(f)));
        m_maskLength->setText(model.fieldType(c) == 'M' ? QString() : QString::number(table->FieldLen(f)));
        m_sEdit1->setText(model.heading(c));
        m_sSpinEdit1->setValue(m_grid.listColumnWidth(c));
    } else {
        m_fieldLine->clear();
        m_maskLength->clear();
        m_sEdit1->clear();
    }
    m_filling = false;
}

void Tformmodiliste::changeFont()
{
    if (m_filling)
        return;
    QFont font = m_grid.font();
    const QString name = m_fontName->currentText().trimmed();
    if (!name.isEmpty())
        font.setFamily(name);
    font.setPointSize(m_sSpinEdit3->value());
    font.setBold(m_bold->isChecked());
    font.setItalic(m_italic->isChecked());
    font.setUnderline(m_underline->isChecked());
    m_grid.setFont(font);
}

void Tformmodiliste::chooseColour(bool background)
{
    const QColor current = background ? m_grid.gridColour() : m_grid.fontColour();
    const QString title = text(background ? 11109 : 11108);
    const std::optional<QColor> chosen = m_chooseColour(current, title);
    if (!chosen || !chosen->isValid())
        return;
    if (background)
        m_grid.setGridColour(*chosen);
    else
        m_grid.setFontColour(*chosen);
    showColours();
}

void Tformmodiliste::showColours()
{
    m_textColour->setIcon(swatch(m_grid.fontColour()));
    m_backgroundColour->setIcon(swatch(m_grid.gridColour()));
}

void Tformmodiliste::changeLines()
{
    if (!m_filling)
        m_grid.setGridLines(m_horizontalLines->isChecked(), m_verticalLines->isChecked());
}

void Tformmodiliste::changeRowHeight(int height)
{
    if (!m_filling)
        m_grid.setDefaultRowHeight(height);
}

void Tformmodiliste::changeHeading(const QString &heading)
{
    if (!m_filling)
        m_grid.setColumnHeading(chosenColumn(), heading.trimmed());
}

void Tformmodiliste::changeWidth(int width)
{
    if (!m_filling)
        m_grid.setListColumnWidth(chosenColumn(), width);
}

} // namespace kvilbo::listview
