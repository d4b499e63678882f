#include "search/quick_search.h"

#include "core/messages.h"

#include <QStringMatcher>

namespace kvilbo::search {
namespace {

bool rowContains(const CardGrid &grid, int row, const std::vector<int> &columns,
                 const QStringMatcher &matcher)
{
    for (const int c : columns) {
        if (matcher.indexIn(grid.cellText(row, c)) >= 0)
            return true;
    }
    return false;
}

} // namespace

QuickSearchResult quickSearch(CardGrid &grid, const QString &text, bool markHit)
{
    const QString t = text.trimmed();
    const int n = grid.rowCount();
    if (t.isEmpty() || n == 0)
        return {};
    int start = grid.currentRow() + 1;
    if (start < 0 || start >= n)
        start = 0;
    const std::vector<int> columns = grid.visualColumns();
    const QStringMatcher matcher(t, Qt::CaseInsensitive);
    for (int i = 0; i < n; ++i) {
        const int row = (start + i) % n;
        if (!rowContains(grid, row, columns, matcher))
            continue;
        int column = grid.currentColumn();
        if (column < 0 && !columns.empty())
            column = columns.front();
        grid.setCurrentCell(row, column);
        if (markHit)
            grid.SetRowMark(row, true);
        return {QuickSearchResult::Outcome::Found, row, grid.RowRecNo(row)};
    }
    return {QuickSearchResult::Outcome::NotFound, -1, 0};
}

std::string quickSearchNotice(const QuickSearchResult &result, const core::Texts &texts)
{
    switch (result.outcome) {
    case QuickSearchResult::Outcome::Found:
        return texts.ss(2002, {result.recNo});
    case QuickSearchResult::Outcome::NotFound:
        return texts.ss(2003);
    case QuickSearchResult::Outcome::EmptyText:
        break;
    }
    return texts.ss(2007);
}

} // namespace kvilbo::search
