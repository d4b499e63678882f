#pragma once

// The display text of one field straight from a record's bytes, the same text
// the program's field display (GetX) gives for the current record.

#include <QString>

#include <cstdint>

namespace kvilbo::engine {
struct TdbField;
}

namespace kvilbo::listview {

/// Display text of field f in record bytes rec (flag byte first) in language spraak.
QString cellDisplayText(const std::uint8_t *rec, const engine::TdbField &f, int spraak);

/// Stored text of field f in record bytes rec, cp1252 decoded.
QString storedText(const std::uint8_t *rec, const engine::TdbField &f);

} // namespace kvilbo::listview
