#pragma once

// The condition matcher behind the advanced search: up to five field
// conditions, joined by AND, tested against every card in list order.

#include "search/card_grid.h"

#include <QChar>
#include <QString>

namespace kvilbo::engine {
class TDbfTable;
}

namespace kvilbo::search {

/// The four options of a search.
struct LocateOptions {
    bool clearMarks = false;   ///< unmark each row before testing it
    bool stopAtFirst = false;  ///< stop after the first hit
    bool partialMatch = false; ///< a text value may stand anywhere inside the field
    bool matchCase = false;    ///< upper and lower case must agree
};

/// Marks the rows that meet every condition and returns how many it marked. The three
/// texts are condition lists (field names, operators, values); decSep is the language's
/// decimal separator. Moves the table only for memo reads and puts it back afterwards.
int Locate(engine::TDbfTable &DBF, CardGrid &grid, const QString &feltnavn,
           const QString &operatorer, const QString &verdier, const LocateOptions &options,
           QChar decSep);

} // namespace kvilbo::search
