#include "layout/layout_record.h"

#include "layout/layout_error.h"

#include "engine/dbf_table.h"

namespace kvilbo::layout {

namespace {

// Our own message, followed by the engine's when it said why.
std::string reasonOf(const engine::TDbfTable &table, const char *ours)
{
    const std::string &engineSays = table.lastErrorMessage();
    return engineSays.empty() ? std::string(ours) : std::string(ours) + ": " + engineSays;
}

} // namespace

LayoutRecord::LayoutRecord(int formType, int objType)
{
    set(FormType, formType);
    set(ObjType, objType);
}

LayoutRecord &LayoutRecord::set(Felt f, std::string value)
{
    for (auto &entry : m_values) {
        if (entry.first == f) {
            entry.second = std::move(value);
            return *this;
        }
    }
    m_values.emplace_back(f, std::move(value));
    return *this;
}

LayoutRecord &LayoutRecord::set(Felt f, long long number)
{
    return set(f, std::to_string(number));
}

LayoutRecord &LayoutRecord::flag(Felt f, bool on)
{
    return set(f, std::string(on ? "T" : "F"));
}

const std::string *LayoutRecord::value(Felt f) const
{
    for (const auto &entry : m_values) {
        if (entry.first == f)
            return &entry.second;
    }
    return nullptr;
}

std::string zeroPadded(long long n, std::size_t width)
{
    std::string digits = std::to_string(n < 0 ? -n : n);
    if (digits.size() < width)
        digits.insert(0, width - digits.size(), '0');
    return n < 0 ? "-" + digits : digits;
}

void appendLayoutRecord(engine::TDbfTable &FORFIL, const LayoutRecord &rec)
{
    const int before = FORFIL.RecCount();
    FORFIL.AppendBlank();
    // AppendBlank gives up silently when the write claim is refused; writing
    // the values then would overwrite whichever record happened to be current.
    if (FORFIL.RecCount() <= before)
        throw LayoutTableError(FORFIL.fileName(), reasonOf(FORFIL, msg::kAppendRefused));
    for (const auto &[felt, value] : rec.values())
        FORFIL.Store(std::string(feltNavn(felt)), value);
    if (!FORFIL.Write(false))
        throw LayoutTableError(FORFIL.fileName(), reasonOf(FORFIL, msg::kWriteRefused));
}

void appendLayoutRecords(engine::TDbfTable &FORFIL, const std::vector<LayoutRecord> &recs)
{
    for (const auto &rec : recs)
        appendLayoutRecord(FORFIL, rec);
}

} // namespace kvilbo::layout
