#include "designer/object_panel.h"

#include "core/messages.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace kvilbo::designer {

namespace {

// The value column's editors: a list for pick-list rows, a masked line for
// numbers, and a line with an ellipsis button for colours and pictures.
class ValueDelegate : public QStyledItemDelegate {
public:
    explicit ValueDelegate(ObjectPanel *panel) : QStyledItemDelegate(panel), m_panel(panel) {}

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &, const QModelIndex &index) const override
    {
        const PropertyGrid *grid = m_panel->grid();
        if (!grid || index.column() != 1)
            return nullptr;
        const Row r = static_cast<Row>(index.row());
        const PropertyRow &row = grid->row(r);
        if (row.style == RowStyle::PickList) {
            auto *combo = new QComboBox(parent);
            combo->addItems(grid->pickList(r));
            combo->setCurrentIndex(combo->findText(index.data().toString()));
            connect(combo, &QComboBox::activated, this, [this, combo] {
                auto *self = const_cast<ValueDelegate *>(this);
                emit self->commitData(combo);
            });
            return combo;
        }
        auto *edit = new QLineEdit(parent);
        edit->setReadOnly(row.readOnly);
        if (row.maxDigits > 0)
            edit->setValidator(new QRegularExpressionValidator(
                QRegularExpression(QStringLiteral("\\d{0,%1}").arg(row.maxDigits)), edit));
        if (row.style != RowStyle::Ellipsis)
            return edit;
        auto *box = new QWidget(parent);
        auto *line = new QHBoxLayout(box);
        line->setContentsMargins(0, 0, 0, 0);
        line->setSpacing(0);
        edit->setParent(box);
        edit->setObjectName(QStringLiteral("value"));
        auto *button = new QToolButton(box);
        button->setObjectName(QStringLiteral("ellipsis"));
        button->setText(QStringLiteral("..."));
        line->addWidget(edit, 1);
        line->addWidget(button);
        box->setFocusProxy(edit);
        const int rowIndex = index.row();
        // The editor closes first, so that it cannot write its old text over the choice.
        connect(button, &QToolButton::clicked, m_panel, [this, box, panel = m_panel, rowIndex] {
            emit const_cast<ValueDelegate *>(this)->closeEditor(box);
            emit panel->editButtonClicked(rowIndex);
        });
        return box;
    }

    void setEditorData(QWidget *editor, const QModelIndex &index) const override
    {
        if (auto *edit = lineOf(editor))
            edit->setText(index.data().toString());
    }

    void setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const override
    {
        if (auto *combo = qobject_cast<QComboBox *>(editor)) {
            if (combo->currentIndex() >= 0)
                model->setData(index, combo->currentText());
        } else if (auto *edit = lineOf(editor); edit && !edit->isReadOnly()) {
            model->setData(index, edit->text());
        }
    }

private:
    static QLineEdit *lineOf(QWidget *editor)
    {
        if (auto *edit = qobject_cast<QLineEdit *>(editor))
            return edit;
        return editor->findChild<QLineEdit *>(QStringLiteral("value"));
    }

    ObjectPanel *m_panel;
};

} // namespace

ObjectPanel::ObjectPanel(const core::Texts &texts, QWidget *parent) : QFrame(parent), m_texts(texts)
{
    setObjectName(QStringLiteral("sPanel1"));
    setFrameShape(QFrame::StyledPanel);
    auto *column = new QVBoxLayout(this);
    m_heading = new QLabel(this);
    QFont bold = m_heading->font();
    bold.setBold(true);
    m_heading->setFont(bold);
    column->addWidget(m_heading);
    m_subtitle = new QLabel(this);
    column->addWidget(m_subtitle);
    auto *tools = new QHBoxLayout;
    tools->addWidget(toolButton("ToolButton15", QStringLiteral("+F")));
    tools->addWidget(toolButton("ToolButton19", QStringLiteral("+T")));
    tools->addWidget(toolButton("ToolButton20", QStringLiteral("+B")));
    tools->addWidget(toolButton("ToolButton21", QStringLiteral("X")));
    tools->addStretch();
    column->addLayout(tools);
    m_combo = new QComboBox(this);
    m_combo->setObjectName(QStringLiteral("ComboBox1"));
    column->addWidget(m_combo);
    m_vle = new QTableWidget(kRowCount, 2, this);
    m_vle->setObjectName(QStringLiteral("vle"));
    m_vle->verticalHeader()->hide();
    m_vle->verticalHeader()->setDefaultSectionSize(22);
    m_vle->horizontalHeader()->setStretchLastSection(true);
    m_vle->setSelectionMode(QAbstractItemView::SingleSelection);
    m_vle->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed
                           | QAbstractItemView::AnyKeyPressed | QAbstractItemView::SelectedClicked);
    m_vle->setItemDelegateForColumn(1, new ValueDelegate(this));
    for (int r = 0; r < kRowCount; ++r) {
        auto *key = new QTableWidgetItem;
        key->setFlags(Qt::ItemIsEnabled);
        m_vle->setItem(r, 0, key);
        m_vle->setItem(r, 1, new QTableWidgetItem);
    }
    column->addWidget(m_vle, 1);
    auto *buttons = new QHBoxLayout;
    m_ok = new QPushButton(this);
    m_ok->setObjectName(QStringLiteral("sSpeedButton1"));
    m_cancel = new QPushButton(this);
    m_cancel->setObjectName(QStringLiteral("sSpeedButton2"));
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);
    column->addLayout(buttons);
    connect(m_ok, &QPushButton::clicked, this, &ObjectPanel::okClicked);
    connect(m_cancel, &QPushButton::clicked, this, &ObjectPanel::cancelClicked);
    connect(m_combo, &QComboBox::activated, this, &ObjectPanel::objectChosen);
    connect(m_vle, &QTableWidget::itemChanged, this, &ObjectPanel::itemChanged);
    setMinimumWidth(240);
    setTexts();
    hide();
}

void ObjectPanel::setTexts()
{
    auto tr = [this](int n) { return QString::fromStdString(m_texts.ss(n)); };
    m_heading->setText(tr(2700));
    m_subtitle->setText(tr(2710));
    m_vle->setHorizontalHeaderLabels({tr(2720), tr(2721)});
    m_ok->setText(tr(2500));
    m_cancel->setText(tr(2510));
    for (const auto &[name, hint] : {std::pair{"ToolButton15", 2712}, std::pair{"ToolButton19", 2714},
                                     std::pair{"ToolButton20", 2716}, std::pair{"ToolButton21", 2718}})
        findChild<QToolButton *>(QLatin1String(name))->setToolTip(tr(hint));
}

QToolButton *ObjectPanel::toolButton(const char *name, const QString &glyph)
{
    auto *button = new QToolButton(this);
    button->setObjectName(QLatin1String(name));
    button->setText(glyph);
    static const std::pair<const char *, void (ObjectPanel::*)()> signalOf[] = {
        {"ToolButton15", &ObjectPanel::addFieldClicked},
        {"ToolButton19", &ObjectPanel::addTextBoxClicked},
        {"ToolButton20", &ObjectPanel::addPictureClicked},
        {"ToolButton21", &ObjectPanel::deleteClicked},
    };
    for (const auto &[n, sig] : signalOf) {
        if (qstrcmp(n, name) == 0)
            connect(button, &QToolButton::clicked, this, sig);
    }
    return button;
}

void ObjectPanel::showRows(const PropertyGrid &grid)
{
    m_grid = &grid;
    m_filling = true;
    for (int r = 0; r < kRowCount; ++r) {
        const PropertyRow &row = grid.row(static_cast<Row>(r));
        m_vle->item(r, 0)->setText(grid.key(static_cast<Row>(r)));
        QTableWidgetItem *value = m_vle->item(r, 1);
        value->setText(row.value);
        const bool editable = !row.readOnly || row.style != RowStyle::Simple;
        value->setFlags(editable ? Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable
                                 : Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    }
    m_filling = false;
}

void ObjectPanel::setRowValue(int row, const QString &value)
{
    const bool was = m_filling;
    m_filling = true;
    m_vle->item(row, 1)->setText(value);
    m_filling = was;
}

QString ObjectPanel::rowValue(int row) const
{
    return m_vle->item(row, 1)->text();
}

void ObjectPanel::itemChanged(QTableWidgetItem *item)
{
    if (m_filling || item->column() != 1)
        return;
    emit rowEdited(item->row(), item->text());
}

} // namespace kvilbo::designer
