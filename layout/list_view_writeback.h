#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace kvilbo::engine {
class TDbfTable;
}

namespace kvilbo::layout {

/// One grid column as the list view shows it when the database is closed.
struct ListColumnState {
    int fieldNumber = 0; ///< card-table field shown (characters 1-3 of the column descriptor)
    int width = 0;       ///< pixels
    std::string heading; ///< UTF-8
};

/// The list grid's appearance and columns (in grid order), as plain values.
struct ListViewState {
    int rowHeight = 21;
    bool horizontalLines = true;
    bool verticalLines = true;
    std::string fontName;
    int fontSize = 8;
    bool bold = false;
    bool underline = false;
    bool italic = false;
    std::uint32_t fontColour = 0;        ///< 0x00BBGGRR
    std::uint32_t gridColour = 0xFFFFFF; ///< 0x00BBGGRR
    std::vector<ListColumnState> columns;
};

/// Rewrites the list view header and its column records in place from state.
/// Columns beyond fieldCount, or beyond the list's own column records, are not written.
/// Returns false when there is no live list view header or a write was refused.
bool writeBackListView(engine::TDbfTable &FORFIL, int fieldCount, const ListViewState &state);

} // namespace kvilbo::layout
