#include "engine/dbf_table.h"

#include "engine/cp1252.h"
#include "engine/dbf_messages.h"

#include <algorithm>
#include <chrono>
#include <cstring>

namespace kvilbo::engine {
namespace {

// Sequential reads are served from a window of this size, so a scan costs one
// system call per window instead of one per record.
constexpr std::size_t kReadAheadBytes = 64 * 1024;

// How long a shared table's read-ahead window may be served: another
// instance's write is seen at most this much later while scanning.
constexpr auto kSharedWindowLife = std::chrono::milliseconds(50);

} // namespace

std::uint64_t TDbfTable::recordOffset(std::int64_t index) const
{
    return FDBFHeader.headLen + static_cast<std::uint64_t>(index) * FDBFHeader.recLen;
}

void TDbfTable::readRecordAt(std::int64_t index)
{
    const std::size_t len = FDBFBuff.size();
    if (len == 0)
        return;
    const auto loaded = [&](const std::uint8_t *record) {
        std::memcpy(FDBFBuff.data(), record, len);
        m_diskCopy.assign(record, record + len);
        m_diskCopyIndex = index;
    };
    // Under the claim every read goes to the file: what is read then is written back.
    const bool windowAllowed = FDBFExclusive || !m_ownsClaim;
    if (windowAllowed && index >= m_cacheFirst && index < m_cacheFirst + m_cacheCount &&
        (FDBFExclusive || std::chrono::steady_clock::now() - m_cacheFilled < kSharedWindowLife)) {
        loaded(&m_cache[(index - m_cacheFirst) * len]);
        m_lastRead = index;
        return;
    }
    const bool sequential = windowAllowed && index == m_lastRead + 1;
    m_lastRead = index;
    m_cacheCount = 0;
    if (sequential) {
        const std::size_t n = std::max<std::size_t>(1, kReadAheadBytes / len);
        m_cache.resize(n * len);
        const std::size_t got = m_file->readAt(recordOffset(index), m_cache.data(), m_cache.size());
        m_cacheFirst = index;
        m_cacheCount = static_cast<std::int64_t>(got / len);
        if (!FDBFExclusive)
            m_cacheFilled = std::chrono::steady_clock::now();
        if (m_cacheCount > 0) {
            loaded(m_cache.data());
            return;
        }
    }
    // A counted record cut short by the end of a damaged file is completed
    // with spaces; past the last record (where only the end byte may lie) the
    // buffer keeps what it held.
    std::vector<std::uint8_t> &tmp = m_scratch;
    tmp.resize(len);
    const std::size_t got = m_file->readAt(recordOffset(index), tmp.data(), len);
    if (got == len) {
        loaded(tmp.data());
    } else if (got > 0 && index < FDBFHeader.numRecs) {
        std::memcpy(FDBFBuff.data(), tmp.data(), got);
        std::fill(FDBFBuff.begin() + static_cast<std::ptrdiff_t>(got), FDBFBuff.end(), kLiveFlag);
        m_diskCopyIndex = -1;
    }
}

void TDbfTable::writeRecordBytes(std::int64_t index)
{
    const std::size_t len = FDBFBuff.size();
    std::size_t first = 0;
    std::size_t end = len;
    // Only the bytes that changed since the record was read go to the file. A
    // write is torn by a kill only where it crosses a page boundary, so a
    // one-field change stays whole; and fields changed meanwhile by another
    // instance are not put back to what this one read.
    if (m_diskCopyIndex == index && m_diskCopy.size() == len) {
        while (first < len && FDBFBuff[first] == m_diskCopy[first])
            ++first;
        while (end > first && FDBFBuff[end - 1] == m_diskCopy[end - 1])
            --end;
    }
    if (first < end)
        m_file->writeAt(recordOffset(index) + first, FDBFBuff.data() + first, end - first);
    m_diskCopy.assign(FDBFBuff.begin(), FDBFBuff.end());
    m_diskCopyIndex = index;
    if (index >= m_cacheFirst && index < m_cacheFirst + m_cacheCount)
        std::memcpy(&m_cache[(index - m_cacheFirst) * len], FDBFBuff.data(), len);
}

void TDbfTable::writeHeaderDate()
{
    const CivilDate today = civilDate(m_clock());
    FDBFHeader.year = static_cast<std::uint8_t>(today.year % 100);
    FDBFHeader.month = static_cast<std::uint8_t>(today.month);
    FDBFHeader.day = static_cast<std::uint8_t>(today.day);
    const std::uint8_t date[3] = {FDBFHeader.year, FDBFHeader.month, FDBFHeader.day};
    // The header was read under the OS lock just before: when it already
    // holds today's date, writing it again would only cost a system call.
    if (m_headerFresh && std::equal(date, date + 3, m_lockedHeader.begin() + 1))
        return;
    m_file->writeAt(1, date, 3);
}

void TDbfTable::Go(int R)
{
    if (!FDBFIsOpened)
        return;
    if (FDBFHeader.numRecs == 0) {
        std::fill(FDBFBuff.begin(), FDBFBuff.end(), kLiveFlag);
        return;
    }
    if (R < 1 || R > FDBFHeader.numRecs)
        return;
    FDBFCurrRec = R - 1;
    readRecordAt(FDBFCurrRec);
}

void TDbfTable::Seek(int r)
{
    if (!FDBFExist || !FDBFIsOpened || r < 0)
        return;
    FDBFCurrRec = r;
    readRecordAt(r);
}

void TDbfTable::GotoNext()
{
    Seek(static_cast<int>(FDBFCurrRec + 1));
}

void TDbfTable::GotoPrev()
{
    Seek(static_cast<int>(FDBFCurrRec - 1));
}

void TDbfTable::GotoStart()
{
    Go(1);
}

void TDbfTable::GotoEnd()
{
    Go(FDBFHeader.numRecs);
}

int TDbfTable::RecNo() const
{
    if (!FDBFIsOpened || FDBFHeader.numRecs == 0)
        return 0;
    return static_cast<int>(FDBFCurrRec + 1);
}

int TDbfTable::RecCount() const
{
    return FDBFHeader.numRecs;
}

int TDbfTable::GetRecordsCount() const
{
    return FDBFHeader.numRecs;
}

bool TDbfTable::Records() const
{
    return FDBFIsOpened && FDBFHeader.numRecs > 0;
}

bool TDbfTable::Eof() const
{
    return FDBFCurrRec == FDBFHeader.numRecs - 1;
}

std::string TDbfTable::GetF(int FeltNr) const
{
    if (FeltNr < 1 || FeltNr > FDBFCountItems || FDBFBuff.empty())
        return {};
    const TdbField &f = FDBFFields[FeltNr];
    if (f.what == 'M' || f.what == 'm')
        return std::to_string(memoPointer(FeltNr));
    // fromCp1252 copies plain ASCII text as it stands, so no separate look at the bytes first.
    return fromCp1252(std::string_view(reinterpret_cast<const char *>(FDBFBuff.data()) + f.offset, f.len));
}

void TDbfTable::Store(const std::string &Key, const std::string &Rec)
{
    const TdbField *f = fieldByName(Key, false);
    if (!f || FDBFBuff.empty())
        return;
    std::string value = toCp1252(Rec);
    if (value.size() > 255)
        value.resize(255);
    const char type = static_cast<char>(f->what & ~0x20);
    if (value.size() < f->len) {
        const std::size_t pad = f->len - value.size();
        if (type == 'F' || type == 'M' || type == 'N')
            value.insert(0, pad, ' ');
        else
            value.append(pad, ' ');
    }
    std::memcpy(FDBFBuff.data() + f->offset, value.data(), f->len);
}

bool TDbfTable::Write(bool OverseCover)
{
    if (!FDBFIsOpened)
        return false;
    if (RecNo() < 1) {
        LVD(msg::kWriteNoRecords, true);
        return false;
    }
    // Writing past the last record would put an uncounted record over the
    // end-of-file byte.
    if (FDBFCurrRec >= FDBFHeader.numRecs) {
        LVD(msg::kWriteOutside, true);
        return false;
    }
    if (!OverseCover)
        return underClaim([this] { writeCurrentRecord(); });
    try {
        writeCurrentRecord();
    } catch (...) {
        releaseClaimAfterFailure();
        throw;
    }
    releaseOwnClaim();
    return true;
}

void TDbfTable::writeCurrentRecord()
{
    FDBFBuff[0] = kLiveFlag;
    writeRecordBytes(FDBFCurrRec);
    writeHeaderDate();
}

void TDbfTable::AppendBlank()
{
    if (FDBFIsOpened)
        underClaim([this] { appendUnderClaim(); });
}

void TDbfTable::appendUnderClaim()
{
    // The count must include what other instances appended before the claim was taken.
    if (m_headerFresh)
        refreshHeaderFrom(m_lockedHeader.data());
    else
        H_Refresh();
    const std::int64_t index = FDBFHeader.numRecs;
    // The record and the end byte go to the file before the count that makes
    // them part of the table: a crash in between leaves a table that still
    // opens, with the new record simply not counted.
    std::fill(FDBFBuff.begin(), FDBFBuff.end(), kLiveFlag);
    std::vector<std::uint8_t> &bytes = m_scratch;
    bytes.assign(FDBFBuff.begin(), FDBFBuff.end());
    bytes.push_back(kEofByte);
    m_file->writeAt(recordOffset(index), bytes.data(), bytes.size());
    m_diskCopy.assign(FDBFBuff.begin(), FDBFBuff.end());
    m_diskCopyIndex = index;

    const CivilDate today = civilDate(m_clock());
    FDBFHeader.year = static_cast<std::uint8_t>(today.year % 100);
    FDBFHeader.month = static_cast<std::uint8_t>(today.month);
    FDBFHeader.day = static_cast<std::uint8_t>(today.day);
    FDBFHeader.numRecs = static_cast<std::int32_t>(index + 1);
    FDBFCurrRec = index;
    // Under the OS lock the count is written by the claim's release, which
    // saves a system call per append; otherwise it is written here.
    if (m_headerFresh) {
        m_countPending = true;
        return;
    }
    const Block32 head = encodeHeader(FDBFHeader);
    m_file->writeAt(1, &head[1], 7);
}

void TDbfTable::Delete(bool verdi)
{
    if (!FDBFIsOpened || FDBFBuff.empty())
        return;
    if (RecNo() < 1 || FDBFCurrRec >= FDBFHeader.numRecs) {
        LVD(msg::kDeleteOutside, true);
        return;
    }
    FDBFBuff[0] = verdi ? kDeletedFlag : kLiveFlag;
    writeRecordBytes(FDBFCurrRec);
    writeHeaderDate();
}

bool TDbfTable::IsCurrentRecDeleted() const
{
    return !FDBFBuff.empty() && FDBFBuff[0] == kDeletedFlag;
}

} // namespace kvilbo::engine
