#pragma once

// Reading the list view layout (FormType 1 records) of the layout table.

#include "layout/list_view_writeback.h"

#include <vector>

namespace kvilbo::engine {
class TDbfTable;
}

namespace kvilbo::listview {

/// The grid's appearance and columns as the layout table gives them.
struct ListLayout {
    bool hasAppearance = false;  ///< physical record 1 named a font: apply state's appearance
    bool headerFound = false;    ///< a live FormType 1 header exists: columns come from it
    layout::ListViewState state; ///< columns in grid order
    std::vector<bool> defaultWidth; ///< per column: no column record gave it a width
};

/// Reads the list layout for DBF from FORFIL; without a live header the columns are
/// DBF's fields with upper-cased names. Throws std::invalid_argument when a column's
/// ObjRefNr or ObjBredde is not an integer.
ListLayout readListLayout(engine::TDbfTable &FORFIL, engine::TDbfTable &DBF);

} // namespace kvilbo::listview
