#include "engine/dbf_table.h"

#include "engine/cp1252.h"

#include <algorithm>

namespace kvilbo::engine {
namespace {

bool isCreatableType(char t)
{
    return t == 'C' || t == 'D' || t == 'F' || t == 'L' || t == 'M' || t == 'N' || t == 'T';
}

char upperLetter(char c)
{
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

std::uint8_t memoPointerLength(std::uint8_t databaseType)
{
    return databaseType == 0 ? 4 : 10;
}

} // namespace

bool TDbfTable::LagFelt(const std::string &FeltNavn, char FeltType, std::uint8_t FeltLengde,
                        std::uint8_t FeltDes, std::uint8_t DatabaseType)
{
    const char type = upperLetter(FeltType);
    const std::string name = upperAscii(trimBlanks(toCp1252(FeltNavn)));
    const int count = FDBFndbfStart ? FDBFndbfFteller : 0;
    const int sum = FDBFndbfStart ? FDBFndbfBteller : 0;
    std::uint8_t len = FeltLengde;
    std::uint8_t places = 0;
    switch (type) {
    case 'N': case 'F': places = FeltDes; break;
    case 'D': len = 8; break;
    case 'L': len = 1; break;
    case 'M': len = memoPointerLength(DatabaseType); break;
    case 'T': len = 6; break;
    default: break;
    }
    // A record longer than the 16-bit record length, or a 256th field, cannot be stored.
    const bool invalid = name.empty() || !isCreatableType(type) || FeltLengde == 0 ||
                         count >= kMaxFields - 1 || sum + len + 1 > 0xFFFF;
    if (invalid) {
        if (OnError)
            OnError(std::string());
        return false;
    }
    if (!FDBFndbfStart) {
        FDBFndbfStart = true;
        FDBFndbfFteller = 0;
        FDBFndbfBteller = 0;
        m_pending.clear();
    }
    TdbField f;
    f.offset = static_cast<std::uint16_t>(FDBFndbfBteller + 1);
    std::copy_n(name.begin(), std::min<std::size_t>(name.size(), f.name.size()), f.name.begin());
    f.what = type;
    f.len = len;
    f.places = places;
    m_pending.push_back(f);
    ++FDBFndbfFteller;
    FDBFndbfBteller += len;
    return true;
}

void TDbfTable::LagDatabase(const std::string &fname, std::uint8_t DatabaseType)
{
    closedatabase();
    if (!FDBFndbfStart || DatabaseType > 2)
        return;
    std::vector<TdbField> fields = m_pending;
    const bool hasMemo = std::any_of(fields.begin(), fields.end(),
                                     [](const TdbField &f) { return upperLetter(f.what) == 'M'; });
    // Memo pointer lengths follow the table type given here; the running
    // offsets are laid out again so they agree with the lengths on disk.
    std::uint32_t position = 1;
    for (TdbField &f : fields) {
        if (upperLetter(f.what) == 'M')
            f.len = memoPointerLength(DatabaseType);
        f.offset = static_cast<std::uint16_t>(position);
        position += f.len;
        for (char &c : f.name)
            c = upperLetter(c);
        f.what = upperLetter(f.what);
    }

    TDBFHeader h;
    static constexpr std::uint8_t kVersions[3][2] = {{0x30, 0x30}, {0x04, 0x8B}, {0x03, 0x83}};
    h.version = kVersions[DatabaseType][hasMemo ? 1 : 0];
    h.mdxfile = hasMemo ? 0x02 : 0;
    h.LangDrv = 3;
    const CivilDate today = civilDate(m_clock());
    h.year = static_cast<std::uint8_t>(today.year % 100);
    h.month = static_cast<std::uint8_t>(today.month);
    h.day = static_cast<std::uint8_t>(today.day);
    h.numRecs = 0;
    h.headLen = static_cast<std::uint16_t>(32 * fields.size() + 33 + (DatabaseType == 0 ? kFoxProExtra : 0));
    h.recLen = static_cast<std::uint16_t>(position);

    std::vector<std::uint8_t> bytes;
    bytes.reserve(h.headLen + 1);
    const Block32 head = encodeHeader(h);
    bytes.insert(bytes.end(), head.begin(), head.end());
    for (const TdbField &f : fields) {
        const Block32 d = encodeField(f);
        bytes.insert(bytes.end(), d.begin(), d.end());
    }
    bytes.push_back(kTerminator);
    if (DatabaseType == 0)
        bytes.insert(bytes.end(), kFoxProExtra, 0);
    bytes.push_back(kEofByte);

    auto file = m_fs->create(fname);
    file->writeAt(0, bytes.data(), bytes.size());
    file.reset();

    FDBFndbfStart = false;
    FDBFndbfFteller = 0;
    FDBFndbfBteller = 0;
    m_pending.clear();

    if (hasMemo)
        MemoMake(replaceExtension(fname, DatabaseType == 0 ? ".FPT" : ".DBT"), DatabaseType);
}

} // namespace kvilbo::engine
