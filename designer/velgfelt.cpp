#include "designer/velgfelt.h"

#include "core/messages.h"
#include "engine/dbf_table.h"

#include <QCloseEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace kvilbo::designer {
namespace {

QString text(const core::Texts &texts, int number)
{
    return QString::fromStdString(texts.ss(number));
}

} // namespace

TForm1::TForm1(const core::Texts &texts, QWidget *parent)
    : QDialog(parent), m_texts(texts), m_list(new QTreeWidget(this)), m_ok(new QPushButton(this))
{
    setObjectName(QStringLiteral("Form1"));
    auto *heading = new QLabel(this);
    heading->setObjectName(QStringLiteral("sLabel1"));
    QFont bold = heading->font();
    bold.setBold(true);
    bold.setPointSize(bold.pointSize() + 2);
    heading->setFont(bold);
    auto *subtitle = new QLabel(this);
    subtitle->setObjectName(QStringLiteral("sLabel2"));
    m_list->setObjectName(QStringLiteral("sListView1"));
    m_list->setRootIsDecorated(false);
    m_list->setColumnCount(5);
    m_list->setAllColumnsShowFocus(true);
    m_ok->setObjectName(QStringLiteral("sButton1"));
    m_ok->setDefault(true);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(heading);
    layout->addWidget(subtitle);
    layout->addWidget(m_list, 1);
    layout->addWidget(m_ok, 0, Qt::AlignRight);
    setFixedSize(460, 420);

    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_list, &QTreeWidget::itemDoubleClicked, this, &QDialog::accept);
}

void TForm1::setTexts()
{
    setWindowTitle(text(m_texts, 8000));
    findChild<QLabel *>(QStringLiteral("sLabel1"))->setText(text(m_texts, 1100));
    findChild<QLabel *>(QStringLiteral("sLabel2"))->setText(text(m_texts, 1101));
    m_ok->setText(text(m_texts, 2500));
    m_list->setHeaderLabels({text(m_texts, 1102), text(m_texts, 1103), text(m_texts, 1104),
                             text(m_texts, 1105), text(m_texts, 1106)});
}

void TForm1::fillFields()
{
    m_list->clear();
    if (!m_table || !m_table->isOpen())
        return;
    const bool english = m_texts.spraak() == 1;
    for (int f = 1; f <= m_table->fieldCount(); ++f) {
        const QString type = QString::fromStdString(english ? m_table->FieldTypeE(f) : m_table->FieldType(f));
        auto *item = new QTreeWidgetItem(m_list, {QStringLiteral("%1").arg(f, 3, 10, QLatin1Char('0')),
                                                  QString::fromStdString(m_table->FieldName(f)), type,
                                                  QString::number(m_table->FieldLen(f)),
                                                  QString::number(m_table->FieldDes(f))});
        Q_UNUSED(item);
    }
    m_list->setEnabled(true);
    m_list->setCurrentItem(m_list->topLevelItem(0));
    for (int c = 0; c < m_list->columnCount(); ++c)
        m_list->resizeColumnToContents(c);
}

void TForm1::showEvent(QShowEvent *event)
{
    setTexts();
    fillFields();
    if (parentWidget())
        move(parentWidget()->window()->geometry().center() - rect().center());
    QDialog::showEvent(event);
}

void TForm1::cancel()
{
    m_list->setEnabled(false);
    QDialog::reject();
}

void TForm1::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape) {
        if (m_defEsc)
            cancel();
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TForm1::closeEvent(QCloseEvent *event)
{
    // Closing the window is no choice.
    m_list->setEnabled(false);
    QDialog::closeEvent(event);
}

int TForm1::chosenField() const
{
    if (!m_list->isEnabled())
        return 0;
    QTreeWidgetItem *item = m_list->currentItem();
    return item ? m_list->indexOfTopLevelItem(item) + 1 : 0;
}

int TForm1::velgfeltvindu()
{
    exec();
    return chosenField();
}

} // namespace kvilbo::designer
