#include "engine/dbf_table.h"

#include "engine/cp1252.h"
#include "engine/dbf_messages.h"

#include <algorithm>
#include <chrono>
#include <thread>

namespace kvilbo::engine {

TDbfTable::TDbfTable(std::shared_ptr<FileSystem> fs)
    : m_fs(fs ? std::move(fs) : posixFileSystem()),
      m_clock(localNow),
      m_sleeper([](int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }),
      FDBFFields(kMaxFields + 1)
{
}

TDbfTable::~TDbfTable()
{
    try {
        closedatabase();
    } catch (...) {
        // A destructor cannot report; the files are closed by their handles anyway.
    }
}

void TDbfTable::setClock(std::function<DateTimeStamp()> clock)
{
    m_clock = std::move(clock);
}

void TDbfTable::setSleeper(std::function<void(int ms)> sleeper)
{
    m_sleeper = std::move(sleeper);
}

void TDbfTable::LVD(const std::string &tekst, bool TypeMelding)
{
    FDBFLastMSG = tekst;
    FDBFLastERRMSG = TypeMelding ? tekst : std::string();
    if (OnWarn)
        OnWarn(tekst, TypeMelding);
}

void TDbfTable::exepath(const std::string &omrade)
{
    FDBFexepath = omrade;
}

void TDbfTable::resetState()
{
    m_file.reset();
    m_memoFile.reset();
    FDBFName.clear();
    FDBFOFName.clear();
    FDBFPath.clear();
    FDBFExclusive = false;
    FDBFIsOpened = false;
    FDBFExist = false;
    FDBFHeader = TDBFHeader{};
    FDBFBuff.clear();
    FDBFBuff.shrink_to_fit();
    FDBFCurrRec = 0;
    FDBFCountItems = 0;
    FDBFmemo = false;
    FDBFmemoNavn.clear();
    FDBFmemoType.clear();
    FDBFmemo512type = false;
    FDBFmemoBlkSize = 0;
    m_cacheCount = 0;
    m_lastRead = -2;
    m_diskCopyIndex = -1;
    m_ownsClaim = false;
}

bool TDbfTable::failOpen(const std::string &message)
{
    LVD(message, true);
    resetState();
    return false;
}

bool TDbfTable::OpenDatabase(const std::string &Filnavn, bool eksklusivt, bool TvingLagManglendeMemo)
{
    if (FDBFIsOpened)
        closedatabase();
    FDBFmemoType.clear();
    FDBFmemo512type = false;
    recoverInterruptedPack(Filnavn);
    if (!m_fs->exists(Filnavn))
        return failOpen(msg::kNotFound);

    FDBFName = Filnavn;
    m_file = m_fs->open(Filnavn, eksklusivt ? ShareMode::Exclusive : ShareMode::Shared);
    if (!m_file)
        return failOpen(msg::kSharing);
    FDBFExclusive = eksklusivt;

    bool memoCreated = false;
    try {
        std::uint64_t size = m_file->size();
        if (size < 32)
            return failOpen(msg::kTooShort);
        std::uint8_t head[32] = {};
        m_file->readAt(0, head, 32);
        if (!isAcceptedVersion(head[0]))
            return failOpen(msg::kUnknownType);
        size = stableSize(head);
        FDBFHeader = decodeHeader(head);
        if (!sizeMatchesHeader(size))
            return failOpen(msg::kSizeMismatch);
        const char *damage = readDescriptors(size);
        if (damage)
            return failOpen(damage);
        FDBFBuff.assign(FDBFHeader.recLen, kLiveFlag);
        FDBFExist = true;
        FDBFIsOpened = true;
        if (FDBFmemo) {
            const MemoOpen opened = openMemo(eksklusivt, TvingLagManglendeMemo);
            if (opened == MemoOpen::Missing) {
                const std::string memoName = FDBFmemoNavn;
                return failOpen(std::string(msg::kMemoMissingHead) + "\"" + memoName + "\"" +
                                msg::kMemoMissingTail);
            }
            memoCreated = opened == MemoOpen::Created;
        }
    } catch (...) {
        resetState();
        throw;
    }

    FDBFOFName = fileNamePart(FDBFName);
    FDBFPath = folderPart(FDBFName);
    LVD(msg::kOpened, false);
    FDBFzoombieTid = 30;
    Go(1);
    if (memoCreated)
        emptyAllMemoPointers();
    return true;
}

std::uint64_t TDbfTable::stableSize(std::uint8_t *head)
{
    // Other instances may append while this one opens: the size must belong
    // to the record count it is compared with, so the count is read on both
    // sides of the size until it stays the same.
    std::uint64_t size = m_file->size();
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::uint8_t again[32] = {};
        m_file->readAt(0, again, 32);
        if (std::equal(again + 4, again + 8, head + 4))
            break;
        std::copy(again, again + 32, head);
        size = m_file->size();
    }
    return size;
}

bool TDbfTable::sizeMatchesHeader(std::uint64_t size) const
{
    if (FDBFHeader.numRecs < 0)
        return false;
    const std::int64_t expected =
        std::int64_t{FDBFHeader.numRecs} * FDBFHeader.recLen + FDBFHeader.headLen;
    // An append interrupted between the record and the header count leaves one
    // uncounted record and its end byte, which must not make the table unopenable.
    const std::int64_t slack = std::max<std::int64_t>(400, FDBFHeader.recLen + 1);
    const auto actual = static_cast<std::int64_t>(size);
    return actual >= expected - 10 && actual <= expected + slack;
}

const char *TDbfTable::readDescriptors(std::uint64_t fileSize)
{
    // Enough for kMaxFields descriptors and the block holding the terminator.
    const std::uint64_t area = std::min<std::uint64_t>(fileSize - 32, 32u * (kMaxFields + 1));
    std::vector<std::uint8_t> bytes(area);
    const std::size_t got = m_file->readAt(32, bytes.data(), bytes.size());
    int count = 0;
    std::uint32_t position = 1;
    FDBFmemo = false;
    for (std::size_t at = 0;; at += 32) {
        if (at >= got)
            return msg::kNoTerminator;
        if (bytes[at] == kTerminator)
            break;
        if (count == kMaxFields)
            return msg::kTooManyFields;
        if (at + 32 > got)
            return msg::kNoTerminator;
        TdbField f = decodeField(&bytes[at]);
        f.offset = static_cast<std::uint16_t>(position);
        position += f.len;
        if (f.what == 'M' || f.what == 'm')
            FDBFmemo = true;
        FDBFFields[++count] = f;
    }
    FDBFCountItems = count;
    if (FDBFHeader.headLen < 32u * count + 33u)
        return msg::kBadHeadLen;
    if (FDBFHeader.recLen == 0 || FDBFHeader.recLen != position)
        return msg::kBadRecLen;
    return nullptr;
}

void TDbfTable::closedatabase()
{
    if (!FDBFIsOpened) {
        resetState();
        return;
    }
    try {
        ensureEndByte();
    } catch (...) {
        resetState();
        throw;
    }
    resetState();
}

void TDbfTable::H_Refresh()
{
    if (!m_file)
        return;
    std::uint8_t head[32];
    if (m_file->readAt(0, head, 32) < 32)
        return;
    refreshHeaderFrom(head);
}

void TDbfTable::refreshHeaderFrom(const std::uint8_t *head)
{
    // Only what other instances may change is taken over; the structure the
    // record buffer was sized for stays as it was when the table was opened.
    TDBFHeader fresh = decodeHeader(head);
    fresh.version = FDBFHeader.version;
    fresh.headLen = FDBFHeader.headLen;
    fresh.recLen = FDBFHeader.recLen;
    if (fresh.numRecs < 0)
        fresh.numRecs = FDBFHeader.numRecs;
    FDBFHeader = fresh;
    m_cacheCount = 0;
}

std::int64_t TDbfTable::FSize()
{
    return m_file ? static_cast<std::int64_t>(m_file->size()) : 0;
}

int TDbfTable::Hlen() const
{
    return FDBFHeader.headLen;
}

int TDbfTable::Rlen() const
{
    return FDBFHeader.recLen;
}

std::uint8_t TDbfTable::HType() const
{
    return FDBFHeader.version;
}

bool TDbfTable::IsExclusive() const
{
    return FDBFExclusive;
}

} // namespace kvilbo::engine
