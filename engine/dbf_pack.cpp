#include "engine/dbf_table.h"

#include "engine/dbf_messages.h"

#include <algorithm>
#include <cstring>

namespace kvilbo::engine {
namespace {

constexpr std::size_t kChunkBytes = 1 << 20;
constexpr const char *kMarkerEnd = "END";

void putPackedPointer(std::uint8_t *p, std::uint8_t len, std::uint32_t block)
{
    if (len == 4) {
        putLe(p, block, 4);
        return;
    }
    std::string digits = std::to_string(block);
    if (digits.size() < len)
        digits.insert(0, len - digits.size(), '0');
    std::memcpy(p, digits.data() + (digits.size() - len), len);
}

} // namespace

// Appends packed memos to the new memo file through a write buffer.
class MemoPacker {
public:
    MemoPacker(File &file, MemoKind kind)
        : m_file(file), m_kind(kind), m_blockSize(kind == MemoKind::FoxPro ? 64 : 512),
          m_next(kind == MemoKind::FoxPro ? 8 : 1)
    {
    }

    std::uint32_t append(std::string_view text)
    {
        const std::vector<std::uint8_t> image = memoBlockImage(m_kind, m_blockSize, text);
        const std::uint32_t at = m_next;
        m_buffer.insert(m_buffer.end(), image.begin(), image.end());
        m_next += static_cast<std::uint32_t>(image.size() / m_blockSize);
        if (m_buffer.size() >= kChunkBytes)
            flush();
        return at;
    }

    void finish()
    {
        flush();
        auto header = memoFileHeader(m_kind);
        if (m_kind == MemoKind::FoxPro)
            putBe(&header[0], m_next, 4);
        else
            putLe(&header[0], m_next, 4);
        m_file.writeAt(0, header.data(), header.size());
    }

private:
    void flush()
    {
        m_file.writeAt(m_written, m_buffer.data(), m_buffer.size());
        m_written += m_buffer.size();
        m_buffer.clear();
    }

    File &m_file;
    MemoKind m_kind;
    std::uint32_t m_blockSize;
    std::uint32_t m_next;
    std::uint64_t m_written = kMemoHeaderSize;
    std::vector<std::uint8_t> m_buffer;
};

TDbfTable::PackFiles TDbfTable::packFiles() const
{
    PackFiles n;
    n.table = m_file->path();
    n.tableTemp = n.table + ".temp";
    n.tableBackup = n.table + ".backup";
    n.marker = n.table + ".packing";
    if (FDBFmemo && m_memoFile) {
        n.memo = m_memoFile->path();
        n.memoTemp = n.memo + ".temp";
        n.memoBackup =
            replaceExtension(n.table, m_memoKind == MemoKind::FoxPro ? ".fpt" : ".dbt") + ".backup";
    }
    return n;
}

void TDbfTable::Pack()
{
    if (!FDBFIsOpened || !FDBFExclusive)
        return;
    const PackFiles files = packFiles();
    const std::string reopenName = FDBFName;
    const std::int64_t position = FDBFCurrRec;
    try {
        writePackedFiles(files);
    } catch (...) {
        m_fs->remove(files.tableTemp);
        if (!files.memoTemp.empty())
            m_fs->remove(files.memoTemp);
        throw;
    }
    Seek(static_cast<int>(position));
    closedatabase();
    swapInPackedFiles(files);
    OpenDatabase(reopenName, true, false);
    Go(1);
}

void TDbfTable::writePackedFiles(const PackFiles &files)
{
    const std::size_t recLen = FDBFHeader.recLen;
    std::vector<std::uint8_t> head(FDBFHeader.headLen, 0);
    m_file->readAt(0, head.data(), head.size());
    putLe(&head[4], 0, 4);

    m_fs->remove(files.tableTemp);
    auto out = m_fs->create(files.tableTemp);
    out->writeAt(0, head.data(), head.size());
    std::unique_ptr<File> memoOut;
    std::unique_ptr<MemoPacker> packer;
    if (!files.memo.empty()) {
        MemoMake(files.memoTemp, static_cast<std::uint8_t>(m_memoKind));
        memoOut = m_fs->open(files.memoTemp, ShareMode::Unlocked);
        if (!memoOut)
            throw DbfIoError("Cannot open '" + files.memoTemp + "' while packing");
        packer = std::make_unique<MemoPacker>(*memoOut, m_memoKind);
    }

    const std::int64_t total = FDBFHeader.numRecs;
    const std::int64_t perChunk = std::max<std::int64_t>(1, static_cast<std::int64_t>(kChunkBytes / recLen));
    std::vector<std::uint8_t> in;
    std::vector<std::uint8_t> buffer;
    std::uint64_t written = head.size();
    std::int32_t kept = 0;
    std::uint8_t lastByte = head.empty() ? 0 : head.back();
    for (std::int64_t start = 0; start < total; start += perChunk) {
        const std::int64_t n = std::min(perChunk, total - start);
        in.resize(static_cast<std::size_t>(n) * recLen);
        const std::size_t got = m_file->readAt(recordOffset(start), in.data(), in.size());
        // Bytes missing at the end of a short file are taken as spaces.
        std::fill(in.begin() + static_cast<std::ptrdiff_t>(got), in.end(), kLiveFlag);
        for (std::int64_t i = 0; i < n; ++i) {
            std::uint8_t *rec = &in[static_cast<std::size_t>(i) * recLen];
            if (rec[0] == kDeletedFlag)
                continue;
            rec[0] = kLiveFlag;
            if (packer)
                repackMemos(rec, *packer);
            buffer.insert(buffer.end(), rec, rec + recLen);
            lastByte = rec[recLen - 1];
            ++kept;
        }
        if (buffer.size() >= kChunkBytes) {
            out->writeAt(written, buffer.data(), buffer.size());
            written += buffer.size();
            buffer.clear();
        }
    }
    if (lastByte != kEofByte)
        buffer.push_back(kEofByte);
    out->writeAt(written, buffer.data(), buffer.size());
    std::uint8_t count[4];
    putLe(count, static_cast<std::uint32_t>(kept), 4);
    out->writeAt(4, count, 4);
    if (packer)
        packer->finish();
    // The new pair must be whole on disk before any rename can make it the table.
    out->sync();
    if (memoOut)
        memoOut->sync();
}

void TDbfTable::repackMemos(std::uint8_t *rec, MemoPacker &packer)
{
    for (int f = 1; f <= FDBFCountItems; ++f) {
        const TdbField &field = FDBFFields[f];
        if (field.what != 'M' && field.what != 'm')
            continue;
        std::uint8_t *p = rec + field.offset;
        const std::uint32_t old = pointerFromBytes(p, field.len);
        std::uint32_t block = 0;
        if (old != 0) {
            const std::string text = readMemoBytes(old);
            const std::string_view kept = trimBlanks(text);
            if (!kept.empty())
                block = packer.append(kept);
        }
        putPackedPointer(p, field.len, block);
    }
}

void TDbfTable::swapInPackedFiles(const PackFiles &files)
{
    // The table name never goes missing: the old files get their backup names
    // as second names first, then each new file replaces its old one in one
    // rename. A crash after the marker is written is completed on the next
    // opening; the old backups go before the marker, so with the marker in
    // place a backup is always this pack's.
    m_fs->remove(files.tableBackup);
    if (!files.memo.empty())
        m_fs->remove(files.memoBackup);
    writeMarker(files);
    const bool hasMemo = !files.memo.empty() && m_fs->exists(files.memo);
    std::string failed;
    if (!m_fs->duplicate(files.table, files.tableBackup))
        failed = files.table;
    else if (hasMemo && !m_fs->duplicate(files.memo, files.memoBackup))
        failed = files.memo;
    else if (!files.memo.empty() && !m_fs->rename(files.memoTemp, files.memo))
        failed = files.memoTemp;
    else if (!m_fs->rename(files.tableTemp, files.table)) {
        failed = files.tableTemp;
        // The new memo file is already in place: the old one comes back from its backup.
        if (hasMemo && !m_fs->rename(files.memoBackup, files.memo)) {
            // The marker stays: the next opening completes the pack instead.
            LVD(std::string(msg::kPackRenameHead) + "\"" + failed + "\"", true);
            return;
        }
    }
    if (!failed.empty()) {
        m_fs->remove(files.tableTemp);
        if (!files.memoTemp.empty())
            m_fs->remove(files.memoTemp);
        LVD(std::string(msg::kPackRenameHead) + "\"" + failed + "\"" + msg::kPackRenameTail, true);
    }
    m_fs->remove(files.marker);
}

void TDbfTable::writeMarker(const PackFiles &files)
{
    const std::string text = fileNamePart(files.table) + "\n" + fileNamePart(files.tableTemp) + "\n" +
                             fileNamePart(files.tableBackup) + "\n" + fileNamePart(files.memo) + "\n" +
                             fileNamePart(files.memoTemp) + "\n" + fileNamePart(files.memoBackup) +
                             "\n" + kMarkerEnd + "\n";
    auto marker = m_fs->create(files.marker);
    marker->writeAt(0, text.data(), text.size());
    marker->sync();
}

void TDbfTable::recoverInterruptedPack(const std::string &tablePath)
{
    const std::string markerName = tablePath + ".packing";
    if (!m_fs->exists(markerName))
        return;
    std::vector<std::string> lines;
    {
        auto marker = m_fs->open(markerName, ShareMode::Unlocked);
        if (!marker)
            return;
        std::string text(std::min<std::uint64_t>(marker->size(), 4096), '\0');
        text.resize(marker->readAt(0, text.data(), text.size()));
        for (std::size_t at = 0; at < text.size();) {
            const std::size_t end = text.find('\n', at);
            lines.push_back(text.substr(at, end == std::string::npos ? std::string::npos : end - at));
            at = end == std::string::npos ? text.size() : end + 1;
        }
    }
    // A marker cut short was being written when the process died: no rename
    // had started, so the old files are intact.
    if (lines.size() < 7 || lines[6] != kMarkerEnd) {
        m_fs->remove(markerName);
        return;
    }
    const std::string folder = folderPart(tablePath);
    const auto path = [&](const std::string &name) { return name.empty() ? name : folder + name; };
    const std::string table = path(lines[0]), tableTemp = path(lines[1]), tableBackup = path(lines[2]);
    const std::string memo = path(lines[3]), memoTemp = path(lines[4]), memoBackup = path(lines[5]);

    // Roll forward: the new pair was complete on disk before the marker was
    // written, and the old files keep their names until each is replaced.
    bool ok = true;
    const bool tableToReplace = m_fs->exists(tableTemp);
    const bool memoToReplace = !memo.empty() && m_fs->exists(memoTemp);
    if (tableToReplace && !m_fs->exists(tableBackup) && m_fs->exists(table))
        ok = m_fs->duplicate(table, tableBackup) && ok;
    if (memoToReplace && !m_fs->exists(memoBackup) && m_fs->exists(memo))
        ok = m_fs->duplicate(memo, memoBackup) && ok;
    if (ok && memoToReplace)
        ok = m_fs->rename(memoTemp, memo);
    if (ok && tableToReplace)
        ok = m_fs->rename(tableTemp, table);
    if (!ok) {
        LVD(std::string(msg::kPackRecoveryFailed) + "\"" + markerName + "\"", true);
        return;
    }
    m_fs->remove(markerName);
    LVD(msg::kPackRecovered, false);
}

} // namespace kvilbo::engine
