#include "layout/list_view_writeback.h"

#include "layout/layout_record.h"

#include "core/konfig_fields.h"
#include "engine/dbf_format.h"
#include "engine/dbf_table.h"

#include <algorithm>

namespace kvilbo::layout {

namespace {

std::string fieldText(engine::TDbfTable &FORFIL, Felt f)
{
    return std::string(engine::trimBlanks(FORFIL.GetF(f)));
}

// Goes to the first live list view header; false when there is none. The
// header's ObjType is checked too: with the header deletion-marked, the first
// live FormType 1 record would be a column, and the grid's font and colours
// would land in it.
bool goToListHeader(engine::TDbfTable &FORFIL)
{
    for (int r = 1; r <= FORFIL.RecCount(); ++r) {
        FORFIL.Go(r);
        if (!FORFIL.IsCurrentRecDeleted() && fieldText(FORFIL, FormType) == "1"
            && fieldText(FORFIL, ObjType) == "1")
            return true;
    }
    return false;
}

void store(engine::TDbfTable &FORFIL, Felt f, const std::string &value)
{
    FORFIL.Store(std::string(feltNavn(f)), value);
}

void storeHeader(engine::TDbfTable &FORFIL, const ListViewState &s)
{
    store(FORFIL, ObjHoyde, std::to_string(s.rowHeight));
    store(FORFIL, ObjJust, s.horizontalLines ? "1" : "0");
    store(FORFIL, ObjFontN, s.fontName);
    store(FORFIL, ObjFontS, std::to_string(s.fontSize));
    store(FORFIL, ObjFontF, s.bold ? "T" : "F");
    store(FORFIL, ObjFontU, s.underline ? "T" : "F");
    store(FORFIL, ObjFontK, s.italic ? "T" : "F");
    store(FORFIL, ObjRamme, s.verticalLines ? "1" : "0");
    store(FORFIL, ObjFtxt, core::colourToText(s.fontColour));
    store(FORFIL, ObjFbg, core::colourToText(s.gridColour));
}

// The record after the header must still be one of the list's column records:
// a layout made for a table with fewer fields would otherwise have its card
// or label records overwritten, or a record written past the end of the file.
bool goToNextColumnRecord(engine::TDbfTable &FORFIL)
{
    if (FORFIL.RecNo() >= FORFIL.RecCount())
        return false;
    FORFIL.GotoNext();
    return fieldText(FORFIL, FormType) == "1" && fieldText(FORFIL, ObjType) == "2";
}

} // namespace

bool writeBackListView(engine::TDbfTable &FORFIL, int fieldCount, const ListViewState &state)
{
    if (!FORFIL.isOpen() || !goToListHeader(FORFIL))
        return false;
    storeHeader(FORFIL, state);
    if (!FORFIL.Write(false))
        return false;
    const int columns = std::min<int>(fieldCount, static_cast<int>(state.columns.size()));
    for (int c = 0; c < columns; ++c) {
        if (!goToNextColumnRecord(FORFIL))
            break;
        const ListColumnState &column = state.columns[c];
        store(FORFIL, ObjBredde, std::to_string(column.width));
        store(FORFIL, ObjRefNr, zeroPadded(column.fieldNumber, 3));
        store(FORFIL, ObjRefTxt, column.heading);
        if (!FORFIL.Write(false))
            return false;
    }
    return true;
}

} // namespace kvilbo::layout
