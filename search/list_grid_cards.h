#pragma once

// The list grid widget `kortliste` seen as a CardGrid: rows, marks and cells
// from its model, the current cell and the column order from the view.

#include "search/list_model_cards.h"

namespace kvilbo::listview {
class ListGrid;
}

namespace kvilbo::search {

class ListGridCards : public ListModelCards {
public:
    /// Cards of the grid, which must outlive this adapter.
    explicit ListGridCards(listview::ListGrid &grid);

    std::vector<int> visualColumns() const override;
    int currentRow() const override;
    int currentColumn() const override;
    void setCurrentCell(int row, int c) override;

private:
    listview::ListGrid &m_view;
};

} // namespace kvilbo::search
