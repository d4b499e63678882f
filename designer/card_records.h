#pragma once

// The card layout as the designer reads it from the layout table and the
// records it writes back on "OK".

#include "designer/design_object.h"

#include "layout/layout_record.h"

#include <QString>

#include <cstdint>
#include <vector>

namespace kvilbo::engine {
class TDbfTable;
}

namespace kvilbo::designer {

/// The card: the card area's colour and its objects in layout record order.
struct DesignCard {
    std::uint32_t background = 0xFFFFFF; ///< 0x00BBGGRR
    std::vector<DesignObject> objects;
};

/// A card-table field's name (trimmed, UTF-8) and whether it is a memo field.
struct CardField {
    QString name;
    bool memo = false;
    int length = 0;
};

/// Field f of the open card table; an empty name when the table has no such field.
CardField cardField(engine::TDbfTable &DBF, int f);

/// Reads the live card records of FORFIL; fields show their placeholders, text boxes their
/// raw text. Objects are named by kind in record order (pictures, text boxes, fields apart).
DesignCard readDesignCard(engine::TDbfTable &FORFIL, engine::TDbfTable &DBF);

/// The records that describe the card: the background first, then one per object in order.
std::vector<layout::LayoutRecord> cardRecords(const DesignCard &card);

/// Replaces the card layout of FORFIL with records. The new records are written before the
/// old card records are deletion-marked, so a failure never leaves the table without a card;
/// on a failed write the records already appended are marked again and the error rethrown.
void saveCardLayout(engine::TDbfTable &FORFIL, const std::vector<layout::LayoutRecord> &records);

} // namespace kvilbo::designer
