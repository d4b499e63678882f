#pragma once

// Sorting the list by one column. Every cell gets a precomputed key, read from
// the record bytes rather than from display texts: blank, number, date or
// text, compared in that class order. Text keys are cp1252 bytes mapped to
// collation weights (case-insensitive, accents on their base letter, and the
// Norwegian letters after z: ae, o-slash, a-ring), compared as bytes.

#include <QString>

#include <cstdint>
#include <string>
#include <vector>

namespace kvilbo::engine {
struct TdbField;
}

namespace kvilbo::listview {

class RecordStore;

/// Collation weight of a cp1252 byte; 0 is kept for "past the end".
std::uint8_t collationWeight(std::uint8_t b);
/// Collation key of a text (cp1252-encodable), for tests and searches.
std::string collationKey(const QString &text);

/// What decides one sort.
struct SortSpec {
    bool ascending = true;
    bool blanksFirst = false;  ///< ListeSortBlank: blanks before the sorted rows (ascending)
    int spraak = 0;            ///< decides the decimal separator and the yes/no words
    int DefAarHundre = 2000;   ///< century base of two-digit years in text cells
};

/// The rows of order (every record number once) sorted by field f: blanks on top (blanksFirst) or at the
/// bottom, the rest stable in ascending key order; descending is that result reversed.
std::vector<std::int32_t> sortedOrder(const std::vector<std::int32_t> &order, RecordStore &store,
                                      const engine::TdbField &f, const SortSpec &sortSpec);

/// A text cell read as a number in the language's notation (sign, digits, one separator, exponent).
bool readLocaleNumber(std::string_view text, char decSep, double &value);
/// A text cell read as a date d.m.yy or dd.mm.yyyy; value is yyyymmdd.
bool readLocaleDate(std::string_view text, int DefAarHundre, double &value);

} // namespace kvilbo::listview
