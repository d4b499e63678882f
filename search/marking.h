#pragma once

// The marking menu's commands on the list grid's marks: mark and unmark the
// current card or all cards, count, sum a numeric field, and physically
// delete the marked cards.

#include "search/card_grid.h"
#include "search/search_host.h"

#include <QChar>
#include <QString>

namespace kvilbo::engine {
class TDbfTable;
}
namespace kvilbo::core {
class Texts;
}

namespace kvilbo::search {

/// The sum of marked cards in the shortest general form with the decimal separator decSep.
QString sumText(double sum, QChar decSep);

class MarkingCommands {
public:
    /// Commands over the card table DBF and its grid; every reference must outlive this object.
    MarkingCommands(engine::TDbfTable &DBF, CardGrid &grid, const core::Texts &texts, SearchHost &host);

    /// Toggles the current row's mark and the "MARKERT" label (the mark button).
    void MarkerDette();
    /// Marks the current row and refreshes the status.
    void markCurrent();
    /// Unmarks the current row and refreshes the status.
    void unmarkCurrent();
    /// Marks every row and refreshes the status.
    void markAll();
    /// Unmarks every row and refreshes the status.
    void unmarkAll();
    /// Reports the number of marked cards (message line with beep and status notice).
    void countMarked();
    /// Sums a chosen numeric field over the marked cards; throws cardview::ConversionError
    /// when a marked cell is not a number.
    void sumField();
    /// Physically deletes the marked cards of an exclusively opened table after confirmation.
    void deleteMarked();

private:
    bool hasCards() const;
    QChar decimalSeparator() const;
    void flagMarkedRecords();

    engine::TDbfTable &m_table;
    CardGrid &m_grid;
    const core::Texts &m_texts;
    SearchHost &m_host;
};

} // namespace kvilbo::search
