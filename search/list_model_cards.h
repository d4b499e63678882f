#pragma once

// The list grid's model seen as a CardGrid. The current cell belongs to the
// view; without one (benchmarks, tests of the logic) this adapter keeps it.

#include "search/card_grid.h"

namespace kvilbo::listview {
class ListModel;
}

namespace kvilbo::search {

class ListModelCards : public CardGrid {
public:
    /// Cards of the model, which must outlive this adapter.
    explicit ListModelCards(listview::ListModel &model) : m_model(model) {}

    int rowCount() const override;
    int columnCount() const override;
    int RowRecNo(int row) const override;
    bool IsRowMarked(int row) const override;
    void SetRowMark(int row, bool marked) override;
    int CountMarkedRows() const override;
    void setAllMarks(bool marked) override;
    int columnField(int c) const override;
    QString cellText(int row, int c) const override;
    int currentRow() const override { return m_row; }
    int currentColumn() const override { return m_column; }
    void setCurrentCell(int row, int c) override;

protected:
    listview::ListModel &m_model;

private:
    int m_row = -1;
    int m_column = -1;
};

} // namespace kvilbo::search
