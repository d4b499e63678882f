#include "search/card_grid.h"

#include <numeric>

namespace kvilbo::search {

int CardGrid::CountMarkedRows() const
{
    int n = 0;
    for (int row = 0; row < rowCount(); ++row)
        n += IsRowMarked(row) ? 1 : 0;
    return n;
}

std::vector<int> CardGrid::visualColumns() const
{
    std::vector<int> columns(static_cast<std::size_t>(columnCount()));
    std::iota(columns.begin(), columns.end(), 0);
    return columns;
}

void CardGrid::setAllMarks(bool marked)
{
    for (int row = 0; row < rowCount(); ++row) {
        if (IsRowMarked(row) != marked)
            SetRowMark(row, marked);
    }
}

std::vector<int> markedRows(const CardGrid &grid)
{
    std::vector<int> rows;
    for (int row = 0; row < grid.rowCount(); ++row) {
        if (grid.IsRowMarked(row))
            rows.push_back(row);
    }
    return rows;
}

int firstColumnOfField(const CardGrid &grid, int feltNr)
{
    for (int c = 0; c < grid.columnCount(); ++c) {
        if (grid.columnField(c) == feltNr)
            return c;
    }
    return -1;
}

} // namespace kvilbo::search
