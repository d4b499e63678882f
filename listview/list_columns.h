#pragma once

// The small texts and decisions of the list grid that belong to one column or
// one row: the column descriptor, the row key, the edit mask and key rules of
// a field type, and the field hint.

#include <QChar>
#include <QString>

#include <string>
#include <string_view>

namespace kvilbo::engine {
struct TdbField;
}
namespace kvilbo::core {
class Texts;
}

namespace kvilbo::listview {

/// Sort state of a column as its descriptor's seventh character holds it.
enum class SortState : char { None = 'X', Ascending = 'O', Descending = 'N' };

/// What the hidden descriptor row holds for one column: field, alignment, sort state.
struct ColumnDescriptor {
    int field = 0;                       ///< card-table field shown (1-based)
    char align = 'V';                    ///< 'H' right-aligned (N, F), 'V' left-aligned
    SortState sort = SortState::None;

    /// The seven-character descriptor text, e.g. "003 H X".
    std::string text() const;
    /// Reads a descriptor text; throws std::invalid_argument when characters 1-3 are not a number.
    static ColumnDescriptor parse(std::string_view text);
    /// A fresh, unsorted descriptor for a field of type letter typ.
    static ColumnDescriptor forField(int field, char typ);
};

/// The twelve-character row key: mark flag, four blanks, seven-digit record number.
std::string rowKey(bool marked, int recNo);
/// Record number in characters 6-12 of a row key; throws std::invalid_argument when not a number.
int recNoOfKey(std::string_view key);

/// The edit mask the grid uses for a column of this field ("" for no mask); decSep is ',' or '.'.
QString listEditMask(const engine::TdbField &field, QChar decSep);

/// Whether a typed character reaches a numeric cell editor (digits, one leading '-', decSep, Enter).
bool acceptNumericKey(QChar ch, const QString &text, int selStart, int selLength, QChar decSep);

/// Space in a logical cell: "Ja "/"Nei" (Norwegian) or "Yes"/"No " (English) toggled.
QString toggledLogical(const QString &cellText, int spraak);

/// The field hint (visfeltinfo's notice) for a field in the current view.
std::string visfeltinfoTekst(const engine::TdbField &field, bool ListeVisningAktiv,
                             const core::Texts &texts);

} // namespace kvilbo::listview
