#include "engine/dbf_table.h"

#include "engine/cp1252.h"
#include "engine/dbf_messages.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace kvilbo::engine {
namespace {

constexpr std::uint64_t kPageSize = 4096;

} // namespace

void TDbfTable::MemoMake(const std::string &Filnavn, std::uint8_t MemoType)
{
    const MemoKind kind = MemoType == 0 ? MemoKind::FoxPro
                          : MemoType == 2 ? MemoKind::DBase3 : MemoKind::DBase4;
    m_fs->remove(Filnavn);
    auto file = m_fs->create(Filnavn);
    const auto header = memoFileHeader(kind);
    file->writeAt(0, header.data(), header.size());
}

TDbfTable::MemoOpen TDbfTable::openMemo(bool eksklusivt, bool createMissing)
{
    m_memoKind = memoKindForVersion(FDBFHeader.version);
    FDBFmemoType = m_memoKind == MemoKind::FoxPro ? "FOXPRO" : "DBASE";
    FDBFmemo512type = m_memoKind == MemoKind::DBase3;
    const std::string wanted =
        replaceExtension(FDBFName, m_memoKind == MemoKind::FoxPro ? ".FPT" : ".DBT");
    FDBFmemoNavn = m_fs->resolve(wanted);
    MemoOpen result = MemoOpen::Opened;
    if (!m_fs->exists(FDBFmemoNavn)) {
        if (!createMissing)
            return MemoOpen::Missing;
        MemoMake(FDBFmemoNavn, static_cast<std::uint8_t>(m_memoKind));
        result = MemoOpen::Created;
    }
    m_memoFile = m_fs->open(FDBFmemoNavn, eksklusivt ? ShareMode::Exclusive : ShareMode::Shared);
    if (!m_memoFile)
        throw DbfIoError("Cannot open memo file '" + FDBFmemoNavn +
                         "': it is missing or in use by another program");
    std::uint8_t header[kMemoHeaderSize] = {};
    if (m_memoKind != MemoKind::DBase3)
        m_memoFile->readAt(0, header, sizeof header);
    std::uint32_t block = memoBlockSize(m_memoKind, header);
    if (block == 0) {
        LVD(msg::kMemoBlockZero, false);
        block = 512;
    }
    FDBFmemoBlkSize = static_cast<int>(block);
    return result;
}

void TDbfTable::emptyAllMemoPointers()
{
    for (int r = 1; r <= FDBFHeader.numRecs; ++r) {
        Go(r);
        for (int f = 1; f <= FDBFCountItems; ++f)
            if (FDBFFields[f].what == 'M' || FDBFFields[f].what == 'm')
                MemoWrite(static_cast<std::uint16_t>(f), std::string());
    }
    Go(1);
}

std::uint32_t TDbfTable::memoPointer(int FeltNr) const
{
    if (FeltNr < 1 || FeltNr > FDBFCountItems || FDBFBuff.empty())
        return 0;
    const TdbField &f = FDBFFields[FeltNr];
    return pointerFromBytes(FDBFBuff.data() + f.offset, f.len);
}

void TDbfTable::storeMemoPointer(int FeltNr, std::uint32_t block)
{
    const TdbField &f = FDBFFields[FeltNr];
    std::uint8_t *p = FDBFBuff.data() + f.offset;
    if (f.len == 4) {
        putLe(p, block, 4);
        return;
    }
    std::string digits = std::to_string(block);
    if (digits.size() > f.len)
        digits.clear();
    std::memset(p, ' ', f.len);
    std::memcpy(p + f.len - digits.size(), digits.data(), digits.size());
}

std::string TDbfTable::readMemoBytes(std::uint32_t block)
{
    const std::uint64_t size = m_memoFile->size();
    const std::uint64_t at = std::uint64_t{block} * static_cast<std::uint64_t>(FDBFmemoBlkSize);
    if (at >= size)
        return {};
    std::string text;
    if (m_memoKind == MemoKind::DBase3) {
        char chunk[4096];
        for (std::uint64_t pos = at; pos < size;) {
            const std::size_t got = m_memoFile->readAt(pos, chunk, sizeof chunk);
            if (got == 0)
                break;
            const char *end = static_cast<const char *>(std::memchr(chunk, kEofByte, got));
            text.append(chunk, end ? static_cast<std::size_t>(end - chunk) : got);
            if (end)
                break;
            pos += got;
        }
        return text;
    }
    std::uint8_t head[8] = {};
    if (m_memoFile->readAt(at, head, 8) < 8)
        return {};
    std::uint64_t length = m_memoKind == MemoKind::FoxPro ? getBe(head + 4, 4) : getLe(head + 4, 4);
    if (m_memoKind == MemoKind::DBase4)
        length = length >= 8 ? length - 8 : 0;
    // A damaged length cannot reach past the file: the text stops at its end.
    length = std::min<std::uint64_t>(length, size - at - 8);
    text.resize(length);
    text.resize(m_memoFile->readAt(at + 8, text.data(), length));
    return text;
}

std::string TDbfTable::MemoRead(std::uint16_t feltnummer)
{
    if (!FDBFIsOpened)
        return {};
    Go(RecNo());
    if (feltnummer == 0 || feltnummer > FDBFCountItems) {
        LVD(msg::kMemoReadBadField, false);
        return {};
    }
    if (FieldType(feltnummer) != "Editor" || !m_memoFile) {
        LVD(msg::kMemoReadNotMemo, false);
        return {};
    }
    const std::uint32_t block = memoPointer(feltnummer);
    if (block == 0) {
        LVD(msg::kMemoReadZero, false);
        return {};
    }
    if (std::uint64_t{block} * static_cast<std::uint64_t>(FDBFmemoBlkSize) > m_memoFile->size()) {
        LVD(msg::kMemoReadBeyond, false);
        MemoWrite(feltnummer, std::string());
        return {};
    }
    return fromCp1252(readMemoBytes(block));
}

void TDbfTable::MemoWrite(std::uint16_t feltnummer, const std::string &Innhold)
{
    if (!FDBFIsOpened)
        return;
    const bool memoField = feltnummer >= 1 && feltnummer <= FDBFCountItems && m_memoFile &&
                           (FDBFFields[feltnummer].what == 'M' || FDBFFields[feltnummer].what == 'm');
    if (!memoField) {
        LVD(msg::kMemoWriteNotMemo, true);
        return;
    }
    // Without a record to point at, the memo blocks would only be lost.
    const int record = RecNo();
    if (record < 1 || FDBFCurrRec >= FDBFHeader.numRecs) {
        LVD(msg::kWriteNoRecords, true);
        return;
    }
    // The report comes after the work: handlers must not run while the
    // claim's OS lock keeps every other writer waiting.
    const bool done = underClaim([&] {
        if (Innhold.empty()) {
            Go(record);
            storeMemoPointer(feltnummer, 0);
            writeCurrentRecord();
        } else {
            writeMemoLocked(feltnummer, record, toCp1252(Innhold));
        }
    });
    if (done && Innhold.empty())
        LVD(msg::kMemoWriteEmpty, false);
}

void TDbfTable::writeMemoLocked(std::uint16_t feltnummer, int record, const std::string &bytes)
{
    const auto blockSize = static_cast<std::uint32_t>(FDBFmemoBlkSize);
    const std::vector<std::uint8_t> image = memoBlockImage(m_memoKind, blockSize, bytes);
    const std::uint64_t needed = m_memoKind == MemoKind::DBase3 ? bytes.size() + 2 : bytes.size() + 8;
    const std::uint64_t blocks = image.size() / blockSize;

    std::uint8_t header[kMemoHeaderSize] = {};
    const std::size_t headerLen = m_memoKind == MemoKind::FoxPro ? 8 : kMemoHeaderSize;
    m_memoFile->readAt(0, header, headerLen);
    std::uint64_t next = m_memoKind == MemoKind::FoxPro ? getBe(header, 4) : getLe(header, 4);
    // Never write a memo into the file header, whatever the header claims.
    next = std::max<std::uint64_t>(next, firstMemoBlock(blockSize));

    Go(record);
    const std::uint32_t old = memoPointer(feltnummer);
    bool inPlace = false;
    // In place only when the old memo, as its block header describes it, lies
    // wholly inside the allocated blocks: a damaged length must not let the
    // new text run over the memos after it.
    if (m_memoKind != MemoKind::DBase3 && old >= firstMemoBlock(blockSize) && old < next) {
        std::uint8_t blockHead[8] = {};
        if (m_memoFile->readAt(std::uint64_t{old} * blockSize, blockHead, 8) == 8) {
            const std::uint64_t stored =
                m_memoKind == MemoKind::FoxPro ? getBe(blockHead + 4, 4) : getLe(blockHead + 4, 4);
            const std::uint64_t capacity = (stored + blockSize - 1) / blockSize * blockSize;
            // Overwriting is safe from a kill only within one page: the
            // system copies a write page by page and may stop between pages,
            // which would leave neither the old memo nor the new one.
            const std::uint64_t at = std::uint64_t{old} * blockSize;
            const bool onePage = at / kPageSize == (at + needed - 1) / kPageSize;
            inPlace = capacity >= needed && old + capacity / blockSize <= next && onePage;
        }
    }
    const std::uint64_t target = inPlace ? old : next;
    if (target + blocks > std::numeric_limits<std::uint32_t>::max())
        throw DbfIoError("Memo file '" + FDBFmemoNavn + "' is full: no more block numbers");
    // Text first, then the header's next free block, then the pointer: a crash
    // in between leaves unused blocks, never a pointer to a half-written memo.
    m_memoFile->writeAt(target * blockSize, image.data(), image.size());
    if (inPlace)
        return;
    if (m_memoKind == MemoKind::FoxPro)
        putBe(header, static_cast<std::uint32_t>(next + blocks), 4);
    else
        putLe(header, static_cast<std::uint32_t>(next + blocks), 4);
    m_memoFile->writeAt(0, header, headerLen);
    Go(record);
    storeMemoPointer(feltnummer, static_cast<std::uint32_t>(target));
    writeCurrentRecord();
}

std::string TDbfTable::MemoState(int FeltNrX) const
{
    return memoPointer(FeltNrX) != 0 ? "EDITOR" : "editor";
}

int TDbfTable::MemoBlkSize() const
{
    return FDBFmemo && m_memoFile ? FDBFmemoBlkSize : 0;
}

} // namespace kvilbo::engine
