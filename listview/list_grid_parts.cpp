#include "listview/list_grid_parts.h"

#include "engine/dbf_table.h"
#include "cardview/edit_mask.h"
#include "listview/list_columns.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace kvilbo::listview {

using cardview::EditMask;

ListHeader::ListHeader(QWidget *parent) : QHeaderView(Qt::Horizontal, parent)
{
    setSectionsMovable(true);
    setSectionsClickable(true);
    setHighlightSections(false);
    setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
}

void ListHeader::paintSection(QPainter *painter, const QRect &rect, int logicalIndex) const
{
    painter->save();
    QHeaderView::paintSection(painter, rect, logicalIndex);
    painter->restore();
    const auto state = static_cast<SortState>(
        model()->headerData(logicalIndex, Qt::Horizontal, ListModel::SortStateRole).toInt());
    if (state == SortState::None)
        return;
    const QString arrow = state == SortState::Ascending ? QStringLiteral("\u25B2") : QStringLiteral("\u25BC");
    const QRect r = rect.adjusted(0, 2, -2, 0);
    painter->drawText(r, Qt::AlignRight | Qt::AlignTop, arrow);
}

void ListHeader::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::RightButton) {
        const int c = logicalIndexAt(event->position().toPoint());
        if (c >= 0)
            emit sortRequested(c);
        return;
    }
    QHeaderView::mousePressEvent(event);
}

MarkHeader::MarkHeader(QWidget *parent) : QHeaderView(Qt::Vertical, parent)
{
    setSectionResizeMode(QHeaderView::Fixed);
    setSectionsClickable(true);
    setHighlightSections(false);
    setDefaultAlignment(Qt::AlignCenter);
    setFixedWidth(17);
}

void MarkHeader::mousePressEvent(QMouseEvent *event)
{
    const int row = logicalIndexAt(event->position().toPoint());
    if (event->button() == Qt::LeftButton && row >= 0)
        emit markClicked(row);
    // Not passed on: a click on the mark column marks, it does not select the row.
}

CellDelegate::CellDelegate(ListModel &model, QObject *parent) : QStyledItemDelegate(parent), m_model(model) {}

void CellDelegate::setGridLines(bool horizontal, bool vertical)
{
    m_horizontal = horizontal;
    m_vertical = vertical;
}

namespace {
QChar decSep(const ListModel &model) { return model.options().spraak == 1 ? QLatin1Char('.') : QLatin1Char(','); }
} // namespace

QWidget *CellDelegate::createEditor(QWidget *parent, const QStyleOptionViewItem &, const QModelIndex &index) const
{
    auto *edit = new QLineEdit(parent);
    edit->setFrame(false);
    const int c = index.column();
    const engine::TdbField f = m_model.table()->GetField(m_model.descriptor(c).field);
    // Numbers are typed free-form within the field length: the key rule keeps out
    // everything but digits, one leading sign and the separator, and the commit
    // normalises. A fixed-position mask would make the separator jump the caret.
    const EditMask mask(f.what == 'D' ? listEditMask(f, decSep(m_model)) : QString());
    if (mask.isEmpty())
        edit->setMaxLength(f.len);
    else
        edit->setInputMask(mask.qtInputMask());
    edit->setAlignment(m_model.descriptor(c).align == 'H' ? Qt::AlignRight : Qt::AlignLeft);
    m_editorType = f.what;
    edit->installEventFilter(const_cast<CellDelegate *>(this));
    m_editor = edit;
    return edit;
}

void CellDelegate::setEditorData(QWidget *editor, const QModelIndex &index) const
{
    auto *edit = static_cast<QLineEdit *>(editor);
    const QString text = index.data(Qt::EditRole).toString();
    const engine::TdbField f = m_model.table()->GetField(m_model.descriptor(index.column()).field);
    edit->setText(f.what == 'D' ? EditMask(listEditMask(f, decSep(m_model))).fit(text) : text.trimmed());
    edit->setCursorPosition(0); // the caret starts at the beginning of the text
}

void CellDelegate::setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const
{
    model->setData(index, static_cast<QLineEdit *>(editor)->text(), Qt::EditRole);
}

void CellDelegate::destroyEditor(QWidget *editor, const QModelIndex &index) const
{
    if (editor == m_editor)
        m_editor = nullptr;
    QStyledItemDelegate::destroyEditor(editor, index);
}

bool CellDelegate::eventFilter(QObject *object, QEvent *event)
{
    if (event->type() == QEvent::KeyPress && (m_editorType == 'N' || m_editorType == 'F')) {
        auto *key = static_cast<QKeyEvent *>(event);
        auto *edit = qobject_cast<QLineEdit *>(object);
        const QString typed = key->text();
        const bool shortcut = key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
        if (edit && !shortcut && !typed.isEmpty() && (typed[0].isPrint() || key->key() == Qt::Key_Backspace)) {
            const int selStart = edit->hasSelectedText() ? edit->selectionStart() : edit->cursorPosition();
            const QString text = edit->text();
            if (!acceptNumericKey(typed[0], text, selStart, edit->selectedText().size(), decSep(m_model)))
                return true;
        }
    }
    return QStyledItemDelegate::eventFilter(object, event);
}

void CellDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    QStyleOptionViewItem opt = option;
    opt.rect.adjust(0, 0, m_vertical ? -1 : 0, m_horizontal ? -1 : 0);
    if (index.data(Qt::TextAlignmentRole).toInt() & Qt::AlignRight)
        opt.rect.adjust(0, 0, -2, 0);
    QStyledItemDelegate::paint(painter, opt, index);
    if (!m_horizontal && !m_vertical)
        return;
    painter->save();
    painter->setPen(option.palette.color(QPalette::Mid));
    const QRect &r = option.rect;
    if (m_horizontal)
        painter->drawLine(r.bottomLeft(), r.bottomRight());
    if (m_vertical)
        painter->drawLine(r.topRight(), r.bottomRight());
    painter->restore();
}

std::optional<QString> plainMemoEditor(QWidget *parent, const QString &text, const QString &title)
{
    QDialog dialog(parent);
    dialog.setObjectName(QStringLiteral("memoEditor"));
    dialog.setWindowTitle(title);
    auto *edit = new QPlainTextEdit(text, &dialog);
    edit->setObjectName(QStringLiteral("memoText"));
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    auto *layout = new QVBoxLayout(&dialog);
    layout->addWidget(edit);
    layout->addWidget(buttons);
    dialog.resize(520, 380);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return edit->toPlainText();
}

} // namespace kvilbo::listview
