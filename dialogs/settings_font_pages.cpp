#include "core/config.h"
#include "core/messages.h"
#include "dialogs/settings_font_pages.h"
#include "dialogs/settings_rules.h"
#include "dialogs/settings_widgets.h"

#include <QButtonGroup>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <QToolButton>
#include <QVBoxLayout>

namespace kvilbo::dialogs {
namespace {

QString qs(const std::string &s)
{
    return QString::fromStdString(s);
}

struct FontFields
{
    std::string name;
    int size;
    bool bold, italic, underline;
};

void loadGroup(FontGroup &g, const FontFields &f, const core::KColour &text, const core::KColour *background)
{
    g.font->load(f.name);
    g.size->setValue(f.size);
    g.bold->setChecked(f.bold);
    g.italic->setChecked(f.italic);
    g.underline->setChecked(f.underline);
    g.text->load(text);
    if (g.background != nullptr && background != nullptr)
        g.background->load(*background);
}

template <std::size_t N>
void storeGroup(const FontGroup &g, core::KText<N> &name, std::uint8_t &size, core::KFlag &bold,
                core::KFlag &italic, core::KFlag &underline)
{
    storeTrimmed(name, g.font->name());
    size = static_cast<std::uint8_t>(g.size->value());
    bold = g.bold->isChecked();
    italic = g.italic->isChecked();
    underline = g.underline->isChecked();
}

QLineEdit *lineEdit(const char *name, QWidget *parent)
{
    auto *edit = new QLineEdit(parent);
    edit->setObjectName(QLatin1String(name));
    return edit;
}

} // namespace

FontGroup makeFontGroup(const PageContext &context, QWidget *parent, QVBoxLayout *into,
                        const char *font, const char *size, const char *const styles[3],
                        const char *textColour, const char *background)
{
    const auto t = [&](int n) { return qs(context.texts.ss(n)); };
    FontGroup g;
    g.font = new FontNameBox(font, parent);
    g.size = spinBox(size, kFontSizeMin, kFontSizeMax, parent);
    g.bold = toggleButton(styles[0], t(11105), parent);
    g.italic = toggleButton(styles[1], t(11106), parent);
    g.underline = toggleButton(styles[2], t(11107), parent);
    g.text = new ColourSelect(textColour, t(12406), context.prompts, parent);
    if (background != nullptr)
        g.background = new ColourSelect(background, t(12407), context.prompts, parent);

    auto *grid = new QGridLayout;
    grid->addWidget(new QLabel(t(11110), parent), 0, 0);
    grid->addWidget(g.font, 0, 1, 1, 3);
    grid->addWidget(new QLabel(t(11111), parent), 1, 0);
    grid->addWidget(g.size, 1, 1);
    grid->addWidget(new QLabel(t(11113), parent), 2, 0);
    auto *styleRow = new QHBoxLayout;
    styleRow->addWidget(g.bold);
    styleRow->addWidget(g.italic);
    styleRow->addWidget(g.underline);
    styleRow->addStretch(1);
    grid->addLayout(styleRow, 2, 1, 1, 3);
    grid->addWidget(new QLabel(t(background != nullptr ? 11117 : 11115), parent), 3, 0);
    auto *colourRow = new QHBoxLayout;
    colourRow->addWidget(g.text);
    if (g.background != nullptr)
        colourRow->addWidget(g.background);
    colourRow->addStretch(1);
    grid->addLayout(colourRow, 3, 1, 1, 3);
    grid->setColumnStretch(3, 1);
    into->addLayout(grid);
    return g;
}

CardViewPage::CardViewPage(const PageContext &context, QWidget *parent) : SettingsPage(context, parent)
{
    static const char *const textStyles[3] = {"sSpeedButton4", "sSpeedButton5", "sSpeedButton6"};
    static const char *const fieldStyles[3] = {"sSpeedButton10", "sSpeedButton11", "sSpeedButton12"};
    addSection(12400, 12405);
    m_textBoxes = makeFontGroup(context, this, column(), "sFontComboBox4", "sSpinEdit6", textStyles,
                                "sColorSelect3", "sColorSelect4");
    addSection(12410, 12412);
    m_fields = makeFontGroup(context, this, column(), "sFontComboBox5", "sSpinEdit7", fieldStyles,
                             "sColorSelect5", "sColorSelect6");
    addSection(12420, 12422);
    m_grid = spinBox("sSpinEdit8", 0, kGridMax, this);
    auto *form = new QFormLayout;
    form->addRow(text(12424), m_grid);
    column()->addLayout(form);
    column()->addStretch(1);
}

void CardViewPage::load(const core::TKonfig &k)
{
    loadGroup(m_textBoxes, {k.FormTFont.text(), k.FormTFSTR, k.FormTFF, k.FormTFK, k.FormTFU}, k.FormTFT,
              &k.FormTFBG);
    loadGroup(m_fields, {k.FormDFont.text(), k.FormDFSTR, k.FormDFF, k.FormDFK, k.FormDFU}, k.FormDFT,
              &k.FormDFBG);
    m_grid->setValue(k.FormSTG);
}

void CardViewPage::store(core::TKonfig &k) const
{
    storeGroup(m_textBoxes, k.FormTFont, k.FormTFSTR, k.FormTFF, k.FormTFK, k.FormTFU);
    m_textBoxes.text->store(k.FormTFT);
    m_textBoxes.background->store(k.FormTFBG);
    storeGroup(m_fields, k.FormDFont, k.FormDFSTR, k.FormDFF, k.FormDFK, k.FormDFU);
    m_fields.text->store(k.FormDFT);
    m_fields.background->store(k.FormDFBG);
    k.FormSTG = static_cast<std::uint8_t>(m_grid->value());
}

ListViewPage::ListViewPage(const PageContext &context, QWidget *parent) : SettingsPage(context, parent)
{
    static const char *const styles[3] = {"sSpeedButton7", "sSpeedButton8", "sSpeedButton9"};
    addSection(12500, 12505);
    m_font = makeFontGroup(context, this, column(), "sFontComboBox3", "sSpinEdit5", styles,
                           "sColorSelect1", "sColorSelect2");
    addSection(12510, 12515);
    m_rowHeight = spinBox("sSpinEdit2", kRowHeightMin, kRowHeightMax, this);
    auto *form = new QFormLayout;
    form->addRow(text(12517), m_rowHeight);
    column()->addLayout(form);
    addSection(12520, 12522);
    column()->addWidget(new QLabel(text(12524), this));
    auto *group = new QButtonGroup(this);
    m_blankTop = new QRadioButton(text(12526), this);
    m_blankTop->setObjectName(QStringLiteral("sRadioButton1"));
    m_blankBottom = new QRadioButton(text(12528), this);
    m_blankBottom->setObjectName(QStringLiteral("sRadioButton2"));
    group->addButton(m_blankTop);
    group->addButton(m_blankBottom);
    column()->addWidget(m_blankTop);
    column()->addWidget(m_blankBottom);
    column()->addStretch(1);
}

void ListViewPage::load(const core::TKonfig &k)
{
    loadGroup(m_font, {k.ListeFont.text(), k.ListeFSTR, k.ListeFF, k.ListeFK, k.ListeFU}, k.ListeFargeT,
              &k.ListeFargeBG);
    m_rowHeight->setValue(k.ListeHoyde);
    (k.ListeSortBlank ? m_blankTop : m_blankBottom)->setChecked(true);
}

void ListViewPage::store(core::TKonfig &k) const
{
    storeGroup(m_font, k.ListeFont, k.ListeFSTR, k.ListeFF, k.ListeFK, k.ListeFU);
    m_font.text->store(k.ListeFargeT);
    m_font.background->store(k.ListeFargeBG);
    k.ListeHoyde = static_cast<std::uint8_t>(m_rowHeight->value());
    k.ListeSortBlank = m_blankTop->isChecked();
}

PrintPage::PrintPage(const PageContext &context, QWidget *parent) : SettingsPage(context, parent)
{
    static const char *const styles[3] = {"sSpeedButton1", "sSpeedButton2", "sSpeedButton3"};
    addSection(12600, 12602);
    m_font = makeFontGroup(context, this, column(), "sFontComboBox2", "sSpinEdit4", styles,
                           "sColorSelect7", nullptr);
    addSection(12610, 12612);
    static const char *const names[7] = {"sEdit6", "sEdit7", "sEdit8", "sEdit9", "sEdit10", "sEdit11", "sEdit12"};
    static const int labels[7] = {12613, 12614, 12615, 12616, 12617, 12618, 12619};
    auto *form = new QFormLayout;
    for (int i = 0; i < 7; ++i)
        form->addRow(text(labels[i]), m_texts[i] = lineEdit(names[i], this));

    auto *tags = new QGroupBox(text(12620), this);
    auto *tagGrid = new QGridLayout(tags);
    static const char *const tagNames[8] = {"[%JOB]", "[%DATE]", "[%TIME]", "[%PAGENO]",
                                            "[%WWW]", "[%DBFNAME]", "[%RECNO]", "[%FIELD003]"};
    for (int i = 0; i < 8; ++i) {
        tagGrid->addWidget(new QLabel(QLatin1String(tagNames[i]), tags), i, 0);
        tagGrid->addWidget(new QLabel(text(11310 + 2 * i), tags), i, 1);
    }
    auto *row = new QHBoxLayout;
    row->addLayout(form, 3);
    row->addWidget(tags, 2);
    column()->addLayout(row);
    column()->addStretch(1);
}

void PrintPage::load(const core::TKonfig &k)
{
    loadGroup(m_font, {k.UtskriftFontN.text(), k.UtskriftFontS, k.UtskriftFontF, k.UtskriftFontK,
                       k.UtskriftFontU}, k.UtskriftFarge, nullptr);
    const std::string values[7] = {k.UtskriftTTV.text(), k.UtskriftTTM.text(), k.UtskriftTTH.text(),
                                   k.UtskriftBTV.text(), k.UtskriftBTM.text(), k.UtskriftBTH.text(),
                                   k.UtskriftST.text()};
    for (int i = 0; i < 7; ++i)
        m_texts[i]->setText(qs(values[i]));
}

void PrintPage::store(core::TKonfig &k) const
{
    storeGroup(m_font, k.UtskriftFontN, k.UtskriftFontS, k.UtskriftFontF, k.UtskriftFontK, k.UtskriftFontU);
    m_font.text->store(k.UtskriftFarge);
    const auto value = [this](int i) { return m_texts[i]->text().toStdString(); };
    storeTrimmed(k.UtskriftTTV, value(0));
    storeTrimmed(k.UtskriftTTM, value(1));
    storeTrimmed(k.UtskriftTTH, value(2));
    storeTrimmed(k.UtskriftBTV, value(3));
    storeTrimmed(k.UtskriftBTM, value(4));
    storeTrimmed(k.UtskriftBTH, value(5));
    storeTrimmed(k.UtskriftST, value(6));
}

EditorPage::EditorPage(const PageContext &context, QWidget *parent) : SettingsPage(context, parent)
{
    addSection(12700, 12705);
    static const char *const names[4] = {"sEdit5", "sEdit13", "sEdit14", "sEdit15"};
    auto *form = new QFormLayout;
    for (int i = 0; i < 4; ++i)
        form->addRow(text(12711 + i), m_texts[i] = lineEdit(names[i], this));
    column()->addLayout(form);
    column()->addStretch(1);
}

void EditorPage::load(const core::TKonfig &k)
{
    m_texts[0]->setText(qs(k.ListeStdTxt1.text()));
    m_texts[1]->setText(qs(k.ListeStdTxt2.text()));
    m_texts[2]->setText(qs(k.ListeStdTxt3.text()));
    m_texts[3]->setText(qs(k.ListeStdTxt4.text()));
}

void EditorPage::store(core::TKonfig &k) const
{
    // Editor texts keep their blanks; only their length is limited.
    k.ListeStdTxt1.setText(m_texts[0]->text().toStdString());
    k.ListeStdTxt2.setText(m_texts[1]->text().toStdString());
    k.ListeStdTxt3.setText(m_texts[2]->text().toStdString());
    k.ListeStdTxt4.setText(m_texts[3]->text().toStdString());
}

HelpPage::HelpPage(const PageContext &context, QWidget *parent) : SettingsPage(context, parent)
{
    addSection(12900, 12905);
    const auto link = [this](int caption, int target, const QString &scheme) {
        auto *label = new QLabel(QStringLiteral("%1: <a href=\"%2%3\">%3</a>")
                                     .arg(text(caption).toHtmlEscaped(), scheme, text(target).toHtmlEscaped()),
                                 this);
        label->setTextFormat(Qt::RichText);
        label->setOpenExternalLinks(true);
        column()->addWidget(label);
    };
    link(12910, 12911, QString());
    link(12920, 12921, QString());
    link(12930, 12931, QStringLiteral("mailto:"));
    column()->addWidget(new QLabel(text(12935), this));
    column()->addWidget(new QLabel(text(12939), this));
    column()->addStretch(1);
}

} // namespace kvilbo::dialogs
