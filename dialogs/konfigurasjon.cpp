#include "dialogs/konfigurasjon.h"

#include "core/config.h"
#include "core/messages.h"
#include "dialogs/dialog_prompts.h"
#include "dialogs/settings_font_pages.h"

#include <QAbstractButton>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScrollArea>
#include <QShowEvent>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace kvilbo::dialogs {
namespace {

constexpr int kPageTexts[8] = {12005, 12007, 12009, 12011, 12015, 12020, 12023, 12030};

} // namespace

TFormKonfigurasjon::TFormKonfigurasjon(core::TKonfig &konfig, const core::Texts &texts,
                                       std::filesystem::path programFolder, ColourOffsets recolour,
                                       DialogPrompts *prompts, QWidget *parent)
    : SecondaryDialog([this] { return m_escAtOpen; }, parent),
      m_konfig(konfig),
      m_texts(texts),
      m_recolour(std::move(recolour)),
      m_context(std::make_unique<PageContext>(
          PageContext{texts, prompts != nullptr ? *prompts : realPrompts(), std::move(programFolder), konfig}))
{
    setObjectName(QStringLiteral("FormKonfigurasjon"));
    buildWindow();
    wireStartFileBox();
    for (QWidget *child : findChildren<QWidget *>())
        child->installEventFilter(this);
}

TFormKonfigurasjon::~TFormKonfigurasjon() = default;

QString TFormKonfigurasjon::text(int number) const
{
    return QString::fromStdString(m_texts.ss(number));
}

void TFormKonfigurasjon::buildWindow()
{
    m_vliste = new QListWidget(this);
    m_vliste->setObjectName(QStringLiteral("vliste"));
    m_vliste->setFixedWidth(170);
    m_sPageControl1 = new QStackedWidget(this);
    m_sPageControl1->setObjectName(QStringLiteral("sPageControl1"));

    const PageContext &c = *m_context;
    m_startPage = new StartPage(c, this);
    m_pages = {m_startPage,
               new DatabasePage(c, this),
               new AppearancePage(c, [this](int hue, int sat) { recolour(hue, sat); }, this),
               new CardViewPage(c, this),
               new ListViewPage(c, this),
               new PrintPage(c, this),
               new EditorPage(c, this),
               new HelpPage(c, this)};
    for (std::size_t i = 0; i < m_pages.size(); ++i) {
        auto *scroll = new QScrollArea(m_sPageControl1);
        scroll->setWidget(m_pages[i]);
        scroll->setWidgetResizable(true);
        scroll->setFrameShape(QFrame::NoFrame);
        m_sPageControl1->addWidget(scroll);
        m_vliste->addItem(text(kPageTexts[i]));
    }
    connect(m_vliste, &QListWidget::currentRowChanged, m_sPageControl1, &QStackedWidget::setCurrentIndex);

    auto *meld = new QLabel(text(12050), this);
    meld->setObjectName(QStringLiteral("meld"));
    auto *sButton1 = new QPushButton(text(12040), this);
    sButton1->setObjectName(QStringLiteral("sButton1"));
    sButton1->setAutoDefault(false);
    connect(sButton1, &QPushButton::clicked, this, &QDialog::accept);

    auto *pages = new QHBoxLayout;
    pages->addWidget(m_vliste);
    pages->addWidget(m_sPageControl1, 1);
    auto *bottom = new QHBoxLayout;
    bottom->addWidget(meld, 1);
    bottom->addWidget(sButton1);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(pages, 1);
    layout->addLayout(bottom);
    setWindowTitle(text(12000));
    resize(820, 600);
}

void TFormKonfigurasjon::wireStartFileBox()
{
    // These clicks, on whichever page, open the start-up file box; nothing closes it again.
    for (const char *name : {"RadioButton1", "RadioButton4", "RadioButton5", "RadioButton7",
                             "RadioButton9", "RadioButton10", "sRadioButton4"}) {
        if (auto *button = findChild<QAbstractButton *>(QLatin1String(name)))
            connect(button, &QAbstractButton::clicked, this, [this] { m_startPage->enableStartFile(); });
    }
}

void TFormKonfigurasjon::showEvent(QShowEvent *event)
{
    if (!event->spontaneous())
        guarded([this] { FormShow(); });
    SecondaryDialog::showEvent(event);
}

void TFormKonfigurasjon::FormShow()
{
    m_escAtOpen = m_konfig.DefEsc;
    // The offsets in use are the ones stored: they were applied at start and
    // every change since went through this window.
    m_skinHue = m_konfig.bootFargerHUE;
    m_skinSat = m_konfig.bootFargerSAT;
    for (SettingsPage *page : m_pages)
        page->load(m_konfig);
    m_vliste->setCurrentRow(0);
    m_loaded = true;
}

void TFormKonfigurasjon::FormCloseQuery()
{
    for (SettingsPage *page : m_pages)
        page->store(m_konfig);
}

void TFormKonfigurasjon::done(int r)
{
    // A window that never showed the record has nothing to store.
    if (m_loaded)
        guarded([this] { FormCloseQuery(); });
    SecondaryDialog::done(r);
}

void TFormKonfigurasjon::recolour(int hue, int sat)
{
    if (hue == m_skinHue && sat == m_skinSat)
        return;
    m_skinHue = hue;
    m_skinSat = sat;
    if (m_recolour)
        m_recolour(hue, sat);
}

bool TFormKonfigurasjon::eventFilter(QObject *watched, QEvent *event)
{
    // The mouse wheel would turn spin boxes, sliders and combo boxes by accident.
    if (event->type() == QEvent::Wheel)
        return true;
    return SecondaryDialog::eventFilter(watched, event);
}

} // namespace kvilbo::dialogs
