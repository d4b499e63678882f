#pragma once

#include "layout/layout_record.h"

#include <string>
#include <vector>

namespace kvilbo::core {
struct TKonfig;
class Texts;
} // namespace kvilbo::core

namespace kvilbo::engine {
class TDbfTable;
}

namespace kvilbo::layout {

/// What the default layouts need to know of one card-table field.
struct CardField {
    std::string name; ///< trimmed, upper case, UTF-8
    bool memo = false;
};

/// The fields of the open card table, in field order.
std::vector<CardField> cardFieldsOf(engine::TDbfTable &DBF);

/// The 13 + 4n records of a new layout table, in the order they are stored.
std::vector<LayoutRecord> defaultLayout(const std::vector<CardField> &fields,
                                        const core::TKonfig &Konfig, const core::Texts &texts);

/// The label header and its two example lines.
std::vector<LayoutRecord> defaultLabelLayout(const core::TKonfig &Konfig);

} // namespace kvilbo::layout
