#include "dialogs/logg.h"

#include "core/config.h"
#include "core/messages.h"
#include "dialogs/log_view.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

namespace kvilbo::dialogs {

TFormLogg::TFormLogg(const core::TKonfig &konfig, const core::Texts &texts, core::Log &log,
                     QWidget *parent)
    : SecondaryDialog([&konfig] { return bool(konfig.DefEsc); }, parent), m_texts(texts), m_log(log)
{
    setObjectName(QStringLiteral("FormLogg"));
    buildWindow();
}

QString TFormLogg::text(int number) const
{
    return QString::fromStdString(m_texts.ss(number));
}

void TFormLogg::buildWindow()
{
    auto *sLabel89 = new QLabel(QString(10, QLatin1Char(' ')) + text(10020), this);
    sLabel89->setObjectName(QStringLiteral("sLabel89"));
    sLabel89->setFrameShape(QFrame::StyledPanel);
    sLabel89->setAutoFillBackground(true);
    sLabel89->setBackgroundRole(QPalette::Highlight);
    sLabel89->setForegroundRole(QPalette::HighlightedText);
    QFont bold = sLabel89->font();
    bold.setBold(true);
    sLabel89->setFont(bold);
    auto *sLabel61 = new QLabel(text(10021), this);
    sLabel61->setObjectName(QStringLiteral("sLabel61"));
    sLabel61->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    QFont italic = sLabel61->font();
    italic.setItalic(true);
    sLabel61->setFont(italic);

    auto *facts = new QGridLayout;
    const auto pair = [&](int row, int caption, QLabel *&value, const char *name) {
        facts->addWidget(new QLabel(text(caption), this), row, 0);
        value = new QLabel(this);
        value->setObjectName(QLatin1String(name));
        facts->addWidget(value, row, 1);
    };
    pair(0, 10030, m_sLabel15, "sLabel15");
    pair(1, 10040, m_sLabel9, "sLabel9");
    pair(2, 10050, m_sLabel8, "sLabel8");
    pair(3, 10060, m_sLabel10, "sLabel10");
    facts->setColumnStretch(1, 1);

    m_sSpeedButton13 = new QPushButton(text(10110), this);
    m_sSpeedButton13->setObjectName(QStringLiteral("sSpeedButton13"));
    m_sSpeedButton13->setToolTip(text(10111));
    m_sSpeedButton13->setAutoDefault(false);
    connect(m_sSpeedButton13, &QPushButton::clicked, this, [this] { guarded([this] { sSpeedButton13Click(); }); });

    m_sListBox1 = new QListWidget(this);
    m_sListBox1->setObjectName(QStringLiteral("sListBox1"));
    m_sListBox1->setUniformItemSizes(true);
    QPalette listPalette = m_sListBox1->palette();
    listPalette.setColor(QPalette::Text, Qt::black);
    m_sListBox1->setPalette(listPalette);

    auto *sButton1 = new QPushButton(text(2500), this);
    sButton1->setObjectName(QStringLiteral("sButton1"));
    sButton1->setAutoDefault(false);
    connect(sButton1, &QPushButton::clicked, this, &QDialog::accept);

    auto *top = new QHBoxLayout;
    top->addLayout(facts, 1);
    top->addWidget(m_sSpeedButton13, 0, Qt::AlignBottom);
    auto *bottom = new QHBoxLayout;
    bottom->addStretch(1);
    bottom->addWidget(sButton1);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(sLabel89);
    layout->addWidget(sLabel61);
    layout->addLayout(top);
    layout->addWidget(m_sListBox1, 1);
    layout->addLayout(bottom);
    setFixedSize(791, 579);
}

void TFormLogg::showEvent(QShowEvent *event)
{
    if (!event->spontaneous())
        guarded([this] { FormActivate(); });
    SecondaryDialog::showEvent(event);
}

void TFormLogg::FormActivate()
{
    setWindowTitle(text(10010));
    m_sListBox1->clear();
    // The log is opened for each message and closed after it, so every line
    // written so far is in the file; there is no handle to close here.
    const LogView view = readLogView(m_log);
    for (const std::string &line : view.lines) {
        auto *item = new QListWidgetItem(QString::fromStdString(line));
        item->setSizeHint(QSize(0, 19));
        m_sListBox1->addItem(item);
    }
    m_sLabel15->setText(QString::fromStdString(
        m_texts.ss(10031, {static_cast<long long>(view.lines.size())})));
    if (m_sListBox1->count() > 0) {
        m_sListBox1->setCurrentRow(m_sListBox1->count() - 1);
        m_sListBox1->scrollToBottom();
    }
    m_sListBox1->setFocus();
    m_sLabel9->setText(QString::fromStdString(m_texts.FormatByteSize(view.shownSize)));
    const QString fileName = QString::fromStdString(m_log.filePath().string());
    m_sLabel8->setText(fileName);
    m_sLabel8->setToolTip(fileName);
    m_sLabel10->setText(view.needsTrim ? text(10100) : text(2500));
    m_sSpeedButton13->setEnabled(view.needsTrim);
}

void TFormLogg::sSpeedButton13Click()
{
    m_log.trimTo(kLogLineLimit);
    FormActivate();
}

} // namespace kvilbo::dialogs
