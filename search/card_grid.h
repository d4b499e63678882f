#pragma once

// The list grid as marking and searching see it: data rows in card order
// (row 0 is the first card), each with its record number and mark, and the
// field columns with their display texts. The main window hands over the real
// grid through an adapter; tests use a grid of texts.

#include <QString>

#include <vector>

namespace kvilbo::search {

class CardGrid {
public:
    virtual ~CardGrid() = default;

    /// Number of data rows (cards).
    virtual int rowCount() const = 0;
    /// Number of field columns.
    virtual int columnCount() const = 0;
    /// Record number of a row, read from its row key.
    virtual int RowRecNo(int row) const = 0;
    /// True when the row is marked.
    virtual bool IsRowMarked(int row) const = 0;
    /// Marks or unmarks a row.
    virtual void SetRowMark(int row, bool marked) = 0;
    /// Number of marked rows.
    virtual int CountMarkedRows() const;
    /// Marks or unmarks every row.
    virtual void setAllMarks(bool marked);
    /// Card-table field number shown in column c.
    virtual int columnField(int c) const = 0;
    /// Display text of the cell of row and column c.
    virtual QString cellText(int row, int c) const = 0;
    /// The columns in the order the grid shows them, left to right.
    virtual std::vector<int> visualColumns() const;

    /// The current data row, or -1.
    virtual int currentRow() const = 0;
    /// The current column, or -1.
    virtual int currentColumn() const = 0;
    /// Makes the cell current, which makes its record the table's current record.
    virtual void setCurrentCell(int row, int c) = 0;
};

/// The marked rows in list order.
std::vector<int> markedRows(const CardGrid &grid);
/// First column showing field feltNr, or -1.
int firstColumnOfField(const CardGrid &grid, int feltNr);

} // namespace kvilbo::search
