#include "dialogs/informasjon.h"

#include "core/config.h"
#include "core/messages.h"
#include "dialogs/database_info.h"
#include "engine/dbf_table.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace kvilbo::dialogs {
namespace {

QTreeWidget *reportList(const char *name, const QStringList &headings, QWidget *parent)
{
    auto *list = new QTreeWidget(parent);
    list->setObjectName(QLatin1String(name));
    list->setRootIsDecorated(false);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->setHeaderLabels(headings);
    list->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    return list;
}

void fillList(QTreeWidget *list, const std::vector<InfoRow> &rows, int rightAlignedFrom = -1)
{
    list->setUpdatesEnabled(false);
    list->clear();
    for (const InfoRow &row : rows) {
        QStringList cells;
        for (const std::string &cell : row)
            cells << QString::fromStdString(cell);
        auto *item = new QTreeWidgetItem(cells);
        for (int c = rightAlignedFrom; c >= 0 && c < item->columnCount(); ++c)
            item->setTextAlignment(c, Qt::AlignRight | Qt::AlignVCenter);
        list->addTopLevelItem(item);
    }
    list->setUpdatesEnabled(true);
}

} // namespace

TForm5::TForm5(const core::TKonfig &konfig, const core::Texts &texts, engine::TDbfTable *DBF,
               engine::TDbfTable *FORFIL, QWidget *parent)
    : SecondaryDialog([&konfig] { return bool(konfig.DefEsc); }, parent),
      m_texts(texts),
      m_DBF(DBF),
      m_FORFIL(FORFIL)
{
    setObjectName(QStringLiteral("Form5"));
    buildWindow();
}

QString TForm5::text(int number) const
{
    return QString::fromStdString(m_texts.ss(number));
}

void TForm5::setTables(engine::TDbfTable *DBF, engine::TDbfTable *FORFIL)
{
    m_DBF = DBF;
    m_FORFIL = FORFIL;
}

void TForm5::buildWindow()
{
    m_sLabel29 = new QLabel(this);
    m_sLabel29->setObjectName(QStringLiteral("sLabel29"));
    QFont big = m_sLabel29->font();
    big.setBold(true);
    big.setPointSizeF(big.pointSizeF() * 1.4);
    m_sLabel29->setFont(big);
    m_sLabel8 = new QLabel(this);
    m_sLabel8->setObjectName(QStringLiteral("sLabel8"));

    m_sListView1 = reportList("sListView1", {text(1250), text(1252), text(1255), text(1260)}, this);
    m_sListView3 = reportList("sListView3", {text(1270), text(1272)}, this);
    m_sListView2 = reportList("sListView2", {text(1102), text(1103), text(1104), text(1105), text(1106)}, this);
    for (int c = 3; c < 5; ++c)
        m_sListView2->headerItem()->setTextAlignment(c, Qt::AlignRight | Qt::AlignVCenter);

    auto *sLabel96 = new QLabel(text(1101), this);
    sLabel96->setObjectName(QStringLiteral("sLabel96"));
    auto *fieldColumn = new QVBoxLayout;
    fieldColumn->addWidget(makeHeading(QStringLiteral("sLabel2"), text(1100), this));
    fieldColumn->addWidget(sLabel96);
    fieldColumn->addWidget(m_sListView2, 1);
    auto *mainColumn = new QVBoxLayout;
    mainColumn->addWidget(makeHeading(QStringLiteral("sLabel63"), text(1300), this));
    mainColumn->addWidget(m_sListView3, 1);
    auto *lower = new QHBoxLayout;
    lower->addLayout(mainColumn, 1);
    lower->addLayout(fieldColumn, 1);

    auto *sButton1 = new QPushButton(text(2500), this);
    sButton1->setObjectName(QStringLiteral("sButton1"));
    connect(sButton1, &QPushButton::clicked, this, &QDialog::accept);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(sButton1);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_sLabel29);
    layout->addWidget(m_sLabel8);
    layout->addWidget(makeHeading(QStringLiteral("sLabel9"), text(1200), this));
    layout->addWidget(m_sListView1, 2);
    layout->addLayout(lower, 3);
    layout->addLayout(buttons);
    resize(900, 680);
}

void TForm5::showEvent(QShowEvent *event)
{
    if (!event->spontaneous())
        guarded([this] { FormActivate(); });
    SecondaryDialog::showEvent(event);
}

void TForm5::FormActivate()
{
    setWindowTitle(text(1003));
    if (m_DBF == nullptr || !m_DBF->isOpen())
        return;
    if (!m_mountTableSet) {
        m_mountTable = readMountTable();
    }
    fill(describeDatabase(*m_DBF, m_FORFIL, m_texts, m_mountTable));
}

void TForm5::fill(const DatabaseInfo &info)
{
    m_sLabel29->setText(QString::fromStdString(info.name));
    m_sLabel8->setText(QString::fromStdString(info.fullName));
    fillList(m_sListView1, info.files);
    fillList(m_sListView3, info.mainTable);
    fillList(m_sListView2, info.fields, 3);
}

} // namespace kvilbo::dialogs
