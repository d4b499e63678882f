#pragma once

// The quick search box: the next card, after the current one and wrapping
// around, with a shown value that contains the search text in any case.

#include "search/card_grid.h"

#include <QString>

#include <string>

namespace kvilbo::core {
class Texts;
}

namespace kvilbo::search {

/// What one quick search found.
struct QuickSearchResult {
    enum class Outcome { EmptyText, Found, NotFound };
    Outcome outcome = Outcome::EmptyText;
    int row = -1;  ///< the hit's row
    int recNo = 0; ///< the hit's record number
};

/// Searches the rows after the current one, then from the first, each row once, its cells
/// in the grid's column order; makes the hit current and marks it when markHit.
QuickSearchResult quickSearch(CardGrid &grid, const QString &text, bool markHit);

/// The status-line notice for a result ("Søketekst funnet på kort %0:d ..", "IKKE FUNNET", ...).
std::string quickSearchNotice(const QuickSearchResult &result, const core::Texts &texts);

} // namespace kvilbo::search
