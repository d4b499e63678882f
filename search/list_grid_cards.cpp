#include "search/list_grid_cards.h"

#include "listview/list_grid.h"

#include <QHeaderView>

namespace kvilbo::search {

ListGridCards::ListGridCards(listview::ListGrid &grid) : ListModelCards(grid.listModel()), m_view(grid) {}

std::vector<int> ListGridCards::visualColumns() const
{
    const QHeaderView *header = m_view.horizontalHeader();
    std::vector<int> columns;
    for (int v = 0; v < header->count(); ++v)
        columns.push_back(header->logicalIndex(v));
    return columns;
}

int ListGridCards::currentRow() const { return m_view.currentRow(); }

int ListGridCards::currentColumn() const
{
    const QModelIndex current = m_view.currentIndex();
    return current.isValid() ? current.column() : -1;
}

void ListGridCards::setCurrentCell(int row, int c)
{
    if (row < 0 || row >= m_model.rowCount())
        return;
    m_view.setCurrentIndex(m_model.index(row, c >= 0 ? c : m_view.horizontalHeader()->logicalIndex(0)));
}

} // namespace kvilbo::search
