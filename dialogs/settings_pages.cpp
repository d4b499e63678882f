#include "dialogs/settings_pages.h"

#include "core/config.h"
#include "core/messages.h"
#include "dialogs/dialog_prompts.h"
#include "dialogs/secondary_dialog.h"
#include "dialogs/settings_rules.h"
#include "dialogs/settings_widgets.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSlider>
#include <QSpinBox>
#include <QToolButton>
#include <QVBoxLayout>

namespace kvilbo::dialogs {
namespace {

QRadioButton *radio(const char *name, const QString &caption, QButtonGroup *group, QWidget *parent)
{
    auto *button = new QRadioButton(caption, parent);
    button->setObjectName(QLatin1String(name));
    group->addButton(button);
    return button;
}

QCheckBox *checkBox(const char *name, const QString &caption, QWidget *parent)
{
    auto *box = new QCheckBox(caption, parent);
    box->setObjectName(QLatin1String(name));
    return box;
}

int checkedIndex(QRadioButton *const (&buttons)[3])
{
    for (int i = 0; i < 3; ++i)
        if (buttons[i]->isChecked())
            return i;
    return 0;
}

QString qs(const std::string &s)
{
    return QString::fromStdString(s);
}

} // namespace

SettingsPage::SettingsPage(const PageContext &context, QWidget *parent)
    : QWidget(parent), m_context(context), m_column(new QVBoxLayout(this))
{
}

QString SettingsPage::text(int number) const
{
    return qs(m_context.texts.ss(number));
}

void SettingsPage::addSection(int heading, int description)
{
    m_column->addWidget(makeHeading(QString(), text(heading), this));
    if (description != 0) {
        auto *label = new QLabel(text(description), this);
        label->setWordWrap(true);
        m_column->addWidget(label);
    }
}

StartPage::StartPage(const PageContext &context, QWidget *parent) : SettingsPage(context, parent)
{
    addSection(12100, 12105);
    auto *windowGroup = new QButtonGroup(this);
    const char *windowNames[3] = {"RadioButton3", "RadioButton4", "RadioButton5"};
    const int windowTexts[3] = {12110, 12115, 12117};
    for (int i = 0; i < 3; ++i)
        column()->addWidget(m_window[i] = radio(windowNames[i], text(windowTexts[i]), windowGroup, this));
    column()->addWidget(m_splash = checkBox("sCheckBox2", text(12119), this));

    addSection(12120, 12122);
    column()->addWidget(new QLabel(text(12124), this));
    auto *viewGroup = new QButtonGroup(this);
    column()->addWidget(m_listView = radio("RadioButton6", text(12125), viewGroup, this));
    column()->addWidget(m_cardView = radio("RadioButton7", text(12127), viewGroup, this));

    addSection(12130, 12132);
    auto *dbGroup = new QButtonGroup(this);
    const char *dbNames[3] = {"RadioButton8", "RadioButton9", "RadioButton1"};
    const int dbTexts[3] = {12134, 12135, 12138};
    for (int i = 0; i < 3; ++i)
        column()->addWidget(m_startDb[i] = radio(dbNames[i], text(dbTexts[i]), dbGroup, this));
    m_startFile = new PathBox("sFilenameEdit1", [this](const QString &current) {
        QString folder = current.trimmed();
        if (folder.isEmpty())
            folder = qs(startFileFolder(m_context.konfig, m_context.programFolder).string());
        return m_context.prompts.openFileName(this, folder, text(2098));
    }, this);
    column()->addWidget(m_startFile);

    addSection(12140);
    auto *languageGroup = new QButtonGroup(this);
    column()->addWidget(m_norwegian = radio("sRadioButton3", text(12141), languageGroup, this));
    column()->addWidget(m_english = radio("sRadioButton4", text(12142), languageGroup, this));
    auto *restart = new QLabel(text(12150), this);
    restart->setWordWrap(true);
    column()->addWidget(restart);
    column()->addStretch(1);
}

void StartPage::load(const core::TKonfig &konfig)
{
    m_window[std::min<int>(konfig.bootVinduValg, 2)]->setChecked(true);
    m_splash->setChecked(konfig.bootSplashScreen);
    (konfig.bootListeView ? m_listView : m_cardView)->setChecked(true);
    m_startDb[std::min<int>(konfig.bootDBFvalg, 2)]->setChecked(true);
    const bool always = konfig.bootDBFvalg == 2;
    m_startFile->edit()->setText(always ? qs(trimBlanks(konfig.bootDBFalltid.text())) : QString());
    m_startFile->setEnabled(always);
    (konfig.intVersjon != 0 ? m_english : m_norwegian)->setChecked(true);
}

void StartPage::store(core::TKonfig &konfig) const
{
    konfig.bootVinduValg = static_cast<std::uint8_t>(checkedIndex(m_window));
    konfig.bootSplashScreen = m_splash->isChecked();
    konfig.bootListeView = m_listView->isChecked();
    konfig.bootDBFvalg = static_cast<std::uint8_t>(checkedIndex(m_startDb));
    storeTrimmed(konfig.bootDBFalltid,
                 m_startDb[2]->isChecked() ? m_startFile->edit()->text().toStdString() : std::string());
    konfig.intVersjon = static_cast<std::uint16_t>(m_norwegian->isChecked() ? 0 : 1);
}

void StartPage::enableStartFile()
{
    m_startFile->setEnabled(true);
}

DatabasePage::DatabasePage(const PageContext &context, QWidget *parent) : SettingsPage(context, parent)
{
    addSection(12200, 12210);
    column()->addWidget(new QLabel(text(12212), this));
    auto *folderGroup = new QButtonGroup(this);
    column()->addWidget(m_programFolder = radio("RadioButton2", text(12214), folderGroup, this));
    column()->addWidget(m_ownFolder = radio("RadioButton10", text(12216), folderGroup, this));
    m_folder = new PathBox("sDirectoryEdit1", [this](const QString &current) {
        const QString start = current.trimmed().isEmpty() ? qs(m_context.programFolder.string()) : current.trimmed();
        return m_context.prompts.folderName(this, start);
    }, this);
    column()->addWidget(m_folder);

    addSection(12220, 12224);
    m_century = new QComboBox(this);
    m_century->setObjectName(QStringLiteral("sComboBox1"));
    m_century->setEditable(true);
    for (int year = 1500; year <= 2300; year += 100)
        m_century->addItem(QString::number(year));
    m_century->addItem(QString());
    auto *centuryForm = new QFormLayout;
    centuryForm->addRow(text(12222), m_century);
    column()->addLayout(centuryForm);

    addSection(12230, 12232);
    m_zombie = spinBox("sSpinEdit1", kZombieMin, kZombieMax, this);
    auto *zombieForm = new QFormLayout;
    zombieForm->addRow(text(12234), m_zombie);
    column()->addLayout(zombieForm);

    addSection(12240, 12242);
    column()->addWidget(m_newMemo = checkBox("sCheckBox3", text(12245), this));
    column()->addStretch(1);
}

void DatabasePage::load(const core::TKonfig &konfig)
{
    const bool own = konfig.DefMappeJN;
    (own ? m_ownFolder : m_programFolder)->setChecked(true);
    m_folder->edit()->setText(own ? qs(trimBlanks(konfig.DefMappePATH.text())) : QString());
    m_century->setCurrentText(QString::number(konfig.DefAarHundre));
    m_zombie->setValue(konfig.NetZombieTime);
    m_newMemo->setChecked(konfig.DefTvingNyMemo);
}

void DatabasePage::store(core::TKonfig &konfig) const
{
    konfig.DefMappeJN = !m_programFolder->isChecked();
    storeTrimmed(konfig.DefMappePATH,
                 m_programFolder->isChecked() ? std::string() : m_folder->edit()->text().toStdString());
    konfig.DefAarHundre = centuryFromText(m_century->currentText().toStdString());
    konfig.NetZombieTime = static_cast<std::uint16_t>(m_zombie->value());
    konfig.DefTvingNyMemo = m_newMemo->isChecked();
}

AppearancePage::AppearancePage(const PageContext &context, std::function<void(int, int)> recolour,
                               QWidget *parent)
    : SettingsPage(context, parent), m_recolour(std::move(recolour))
{
    addSection(12300, 12305);
    column()->addWidget(m_esc = checkBox("sCheckBox1", text(12307), this));

    addSection(12310, 12312);
    column()->addWidget(new QLabel(text(12320), this));
    const auto slider = [this](const char *name, int minimum, int maximum, const char *labelName,
                               int caption, QLabel *&value) {
        auto *s = new QSlider(Qt::Horizontal, this);
        s->setObjectName(QLatin1String(name));
        s->setRange(minimum, maximum);
        value = new QLabel(this);
        value->setObjectName(QLatin1String(labelName));
        auto *row = new QHBoxLayout;
        row->addWidget(new QLabel(text(caption), this));
        row->addWidget(s, 1);
        row->addWidget(value);
        column()->addLayout(row);
        connect(s, &QSlider::valueChanged, this, [this] { sliderMoved(); });
        return s;
    };
    m_hue = slider("sTrackBar1", 0, kHueMax, "sLabel86", 12324, m_hueText);
    m_sat = slider("sTrackBar2", kSatMin, kSatMax, "sLabel87", 12326, m_satText);
    auto *reset = new QToolButton(this);
    reset->setObjectName(QStringLiteral("sSpeedButton13"));
    reset->setText(text(12322));
    connect(reset, &QToolButton::clicked, this, [this] {
        m_hue->setValue(0);
        m_sat->setValue(0);
    });
    column()->addWidget(reset, 0, Qt::AlignLeft);
    column()->addStretch(1);
}

void AppearancePage::load(const core::TKonfig &konfig)
{
    m_esc->setChecked(konfig.DefEsc);
    const QSignalBlocker blockHue(m_hue);
    const QSignalBlocker blockSat(m_sat);
    m_hue->setValue(konfig.bootFargerHUE);
    m_sat->setValue(konfig.bootFargerSAT);
    m_hueText->setText(qs(sliderText(m_hue->value())));
    m_satText->setText(qs(sliderText(m_sat->value())));
}

void AppearancePage::store(core::TKonfig &konfig) const
{
    konfig.DefEsc = m_esc->isChecked();
    konfig.bootFargerHUE = static_cast<std::int16_t>(m_hue->value());
    konfig.bootFargerSAT = static_cast<std::int16_t>(m_sat->value());
}

void AppearancePage::sliderMoved()
{
    m_hueText->setText(qs(sliderText(m_hue->value())));
    m_satText->setText(qs(sliderText(m_sat->value())));
    if (m_recolour)
        m_recolour(m_hue->value(), m_sat->value());
}

} // namespace kvilbo::dialogs
