#pragma once

// The list grid `kortliste`: a table view over ListModel with a 17-pixel mark
// column (the vertical header), movable and resizable columns, sort arrows,
// right-click sorting on headings, in-place editing with the field masks and
// key rules, and the memo editor on Space or double-click.

#include "listview/list_model.h"

#include <QTableView>

#include <functional>
#include <optional>

class QTimer;

namespace kvilbo::engine {
class TDbfTable;
}

namespace kvilbo::listview {

class ListGrid : public QTableView {
    Q_OBJECT
public:
    /// Edits a memo text modally; returns the edited text, or nothing when cancelled.
    using MemoEditor = std::function<std::optional<QString>(const QString &text, const QString &title)>;

    /// An empty, hidden grid named "kortliste".
    explicit ListGrid(QWidget *parent = nullptr);
    ~ListGrid() override;

    /// The model (rows, marks, descriptors, sorting).
    ListModel &listModel() { return *m_model; }
    /// Language, century base and ListeSortBlank.
    void setOptions(const ListOptions &options) { m_model->setOptions(options); }
    /// Replaces the cell commit (the main window connects repl here).
    void setCommitHandler(ListModel::CommitHandler handler) { m_model->setCommitHandler(std::move(handler)); }
    /// Receives unexpected failures for the error dialog.
    void setErrorHandler(ListModel::ErrorHandler handler);
    /// Replaces the memo editor (default: a plain modal text editor).
    void setMemoEditor(MemoEditor editor) { m_memoEditor = std::move(editor); }

    /// Rebuilds the grid from the list layout of FORFIL and the card table DBF; hidden when DBF has records.
    void formularsettoppLISTE(engine::TDbfTable &DBF, engine::TDbfTable &FORFIL);
    /// Forgets the table and hides the grid (database closed).
    void clearList();
    /// Refreshes the current row from the card table.
    void OppdaterListe();
    /// True with field and sort type (1 ascending, 2 descending) when the list is sorted.
    bool KortListeSortert(int &xFeltNummer, int &xSorteringsType) const;
    /// The grid's appearance and columns in visual order, for the write-back at close.
    layout::ListViewState listViewState() const;

    // Appearance, changed in place by the list settings window; the write-back reads it back.
    /// Default row height in pixels (the height of every row).
    int defaultRowHeight() const;
    /// Sets every row to height pixels.
    void setDefaultRowHeight(int height);
    /// True when horizontal grid lines are drawn.
    bool horizontalLines() const;
    /// True when vertical grid lines are drawn.
    bool verticalLines() const;
    /// Turns the horizontal and vertical grid lines on or off.
    void setGridLines(bool horizontal, bool vertical);
    /// Colour of the cell text.
    QColor fontColour() const;
    /// Sets the colour of the cell text.
    void setFontColour(const QColor &colour);
    /// Background colour of the cells.
    QColor gridColour() const;
    /// Sets the background colour of the cells.
    void setGridColour(const QColor &colour);
    /// The cell font's size in points (8 for the pixel-sized start font).
    int fontSize() const;
    /// Width of logical column c in pixels; -1 when the column is hidden.
    int listColumnWidth(int c) const;
    /// Sets the width of logical column c; -1 hides it, 0 and up show it that wide.
    void setListColumnWidth(int c, int width);
    /// Changes the heading of logical column c.
    void setColumnHeading(int c, const QString &heading);
    /// The current cell's column as a 1-based position from the left, or 0 without a current cell.
    int currentColumn() const;
    /// The logical column at 1-based position column from the left, or -1.
    int logicalColumn(int column) const;

    /// The current data row, or -1.
    int currentRow() const;
    /// Makes a data row current (keeping the column), which selects its record.
    void setCurrentRow(int row);
    /// Adds the row of the record just appended to DBF, makes it current and refreshes it.
    int addRecordRow();
    /// The sort of a heading's right-click on logical column c.
    void sortColumn(int c);
    /// Toggles a row's mark as a click on its row header does.
    void toggleRowMark(int row);
    /// Opens the memo editor for the cell at row, logical column c (memo columns only).
    void editMemo(int row, int c);

signals:
    /// A cell was selected: its record is now the card table's current record.
    void currentRecordChanged(int recNo, int feltNr, bool marked);
    /// A row's mark was toggled by the user.
    void rowMarkToggled(int row, bool marked);
    /// A sort is about to run (show "Sorterer liste, vent...").
    void sortStarted();
    /// A sort has finished (show "Sortering av liste ferdig", refresh the status).
    void sortFinished();
    /// A cell's text was written to the table.
    void cellCommitted(int recNo, int feltNr);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void currentChanged(const QModelIndex &current, const QModelIndex &previous) override;
    void showEvent(QShowEvent *event) override;

private:
    void applyLayout();
    void loadMore();
    void reportError(const std::exception &error);

    ListModel *m_model;
    QTimer *m_loader;
    MemoEditor m_memoEditor;
    ListModel::ErrorHandler m_error;
};

} // namespace kvilbo::listview
