#pragma once

// The pieces the list grid is made of: its heading row with sort arrows and
// right-click sorting, the 17-pixel mark column, the cell editor with masks
// and key rules, and the plain memo editor.

#include "listview/list_model.h"

#include <QHeaderView>
#include <QPointer>
#include <QStyledItemDelegate>

#include <optional>

namespace kvilbo::listview {

/// Headings: the grid's own drawing plus a sort arrow; a right-click asks for a sort.
class ListHeader : public QHeaderView {
    Q_OBJECT
public:
    explicit ListHeader(QWidget *parent = nullptr);

signals:
    /// The right mouse button was pressed on the heading of logical column c.
    void sortRequested(int c);

protected:
    void paintSection(QPainter *painter, const QRect &rect, int logicalIndex) const override;
    void mousePressEvent(QMouseEvent *event) override;
};

/// The mark column: shows "x" on marked rows; a click asks for the mark to toggle.
class MarkHeader : public QHeaderView {
    Q_OBJECT
public:
    explicit MarkHeader(QWidget *parent = nullptr);

signals:
    /// The left mouse button was pressed on the row header of row.
    void markClicked(int row);

protected:
    void mousePressEvent(QMouseEvent *event) override;
};

/// In-place cell editing: the field's mask and maximum length, the numeric key rule,
/// grid lines drawn per direction.
class CellDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    CellDelegate(ListModel &model, QObject *parent = nullptr);

    /// Which grid lines to draw.
    void setGridLines(bool horizontal, bool vertical);
    bool horizontalLines() const { return m_horizontal; }
    bool verticalLines() const { return m_vertical; }
    /// The editor open now, or nullptr.
    QWidget *activeEditor() const { return m_editor; }

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                          const QModelIndex &index) const override;
    void setEditorData(QWidget *editor, const QModelIndex &index) const override;
    void setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const override;
    void destroyEditor(QWidget *editor, const QModelIndex &index) const override;
    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;

protected:
    bool eventFilter(QObject *object, QEvent *event) override;

private:
    ListModel &m_model;
    mutable QPointer<QWidget> m_editor;
    mutable char m_editorType = 0;
    bool m_horizontal = true;
    bool m_vertical = true;
};

/// A plain modal text editor for memo text; nothing when cancelled.
std::optional<QString> plainMemoEditor(QWidget *parent, const QString &text, const QString &title);

} // namespace kvilbo::listview
