#include "core/status_bar.h"

#include "core/message_line.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>

namespace kvilbo::core {

namespace {

void applyLabel(QLabel *label, const LabelState &state)
{
    if (state.text)
        label->setText(QString::fromStdString(*state.text));
    label->setEnabled(state.enabled);
}

} // namespace

StatusBar::StatusBar(QWidget *parent, Notice &notice)
    : QObject(parent), m_notice(notice), m_header(new QWidget(parent)), m_bar(new QFrame(parent))
{
    m_header->setObjectName(QStringLiteral("databasehode"));
    m_headertekst = makeLabel(m_header, "headertekst", true);
    m_visningtekst = makeLabel(m_header, "visningtekst", false);
    m_sorttekst = makeLabel(m_header, "sorttekst", false);
    m_label2 = makeLabel(m_header, "label2", true);
    auto *top = new QHBoxLayout(m_header);
    top->setContentsMargins(4, 2, 4, 2);
    top->addWidget(m_headertekst, 3);
    top->addWidget(m_visningtekst, 2);
    top->addWidget(m_sorttekst, 3);
    top->addWidget(m_label2);

    m_bar->setObjectName(QStringLiteral("statuslinje"));
    static_cast<QFrame *>(m_bar)->setFrameShape(QFrame::StyledPanel);
    m_Label66 = makeLabel(m_bar, "Label66", true);
    m_sLabel3 = makeLabel(m_bar, "sLabel3", false);
    m_nkort = makeLabel(m_bar, "nkort", false);
    m_akort = makeLabel(m_bar, "akort", false);
    auto *bottom = new QHBoxLayout(m_bar);
    bottom->setContentsMargins(4, 1, 4, 1);
    notice.label()->setParent(m_bar);
    bottom->addWidget(notice.label(), 1);
    for (QLabel *label : {m_Label66, m_sLabel3, m_nkort, m_akort}) {
        auto *line = new QFrame(m_bar);
        line->setFrameShape(QFrame::VLine);
        bottom->addWidget(line);
        bottom->addWidget(label);
    }
}

QLabel *StatusBar::makeLabel(QWidget *parent, const char *name, bool bold)
{
    auto *label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    if (bold) {
        QFont font = label->font();
        font.setBold(true);
        label->setFont(font);
    }
    return label;
}

void StatusBar::apply(const StatusBarState &state)
{
    applyLabel(m_headertekst, state.headertekst);
    applyLabel(m_visningtekst, state.visningtekst);
    applyLabel(m_sorttekst, state.sorttekst);
    applyLabel(m_label2, state.label2);
    applyLabel(m_Label66, state.Label66);
    applyLabel(m_sLabel3, state.sLabel3);
    applyLabel(m_nkort, state.nkort);
    applyLabel(m_akort, state.akort);
    if (state.clearNotice)
        m_notice.melding(QString());
}

void StatusBar::setCountersEnabled(bool on)
{
    for (QLabel *label : {m_sLabel3, m_nkort, m_akort})
        label->setEnabled(on);
}

} // namespace kvilbo::core
