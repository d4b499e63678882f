#pragma once

#include "layout/layout_fields.h"

#include <string>
#include <utility>
#include <vector>

namespace kvilbo::engine {
class TDbfTable;
}

namespace kvilbo::layout {

/// The values a writer puts into one layout record; fields never set stay blank.
class LayoutRecord {
public:
    LayoutRecord(int formType, int objType);

    /// Sets field f to value (UTF-8); a later set of the same field wins.
    LayoutRecord &set(Felt f, std::string value);
    /// Sets field f to the decimal text of number.
    LayoutRecord &set(Felt f, long long number);
    /// Sets a flag field to "T" or "F".
    LayoutRecord &flag(Felt f, bool on);

    /// The value set for f, or nullptr when it stays blank.
    const std::string *value(Felt f) const;
    /// Every value set, in the order set.
    const std::vector<std::pair<Felt, std::string>> &values() const { return m_values; }

private:
    std::vector<std::pair<Felt, std::string>> m_values;
};

/// n in decimal with leading zeros up to width digits ("007").
std::string zeroPadded(long long n, std::size_t width);

/// Appends rec blank to the open layout table, stores its values and writes it.
void appendLayoutRecord(engine::TDbfTable &FORFIL, const LayoutRecord &rec);

/// Appends every record of recs, each written before the next is appended.
void appendLayoutRecords(engine::TDbfTable &FORFIL, const std::vector<LayoutRecord> &recs);

} // namespace kvilbo::layout
