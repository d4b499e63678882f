#pragma once

// The card table's record bytes as the list shows them, read from the table
// file in chunks: on demand for the rows drawn and in the background for the
// rest. A snapshot, like the grid it feeds: refresh() re-reads a record that
// this program wrote.

#include <QFile>

#include <cstdint>
#include <memory>
#include <vector>

namespace kvilbo::listview {

class RecordStore {
public:
    /// Records 1..count of the table file path, headLen bytes of header, recLen bytes each.
    RecordStore(const QString &path, int headLen, int recLen, int count);

    /// Number of records.
    int count() const { return m_count; }
    /// Record length including the flag byte.
    int recLen() const { return m_recLen; }
    /// The bytes of record recNo (1-based); reads its chunk when needed. Throws IoError on failure.
    const std::uint8_t *record(int recNo);
    /// Reads unread chunks for at most budgetMs (at least one); true when all are read.
    bool loadStep(int budgetMs);
    /// Reads every unread chunk.
    void loadAll();
    /// True when every chunk has been read.
    bool complete() const { return m_loaded == m_chunks.size(); }
    /// Re-reads record recNo from the file.
    void refresh(int recNo);
    /// Adds record count + 1 (appended to the file) and reads it.
    void append();
    /// Bytes held for records.
    std::size_t bytesHeld() const;

    static constexpr int kChunk = 4096; ///< records per chunk

private:
    void readChunk(std::size_t chunk);
    void readRecords(std::int64_t first, int n, std::uint8_t *into);

    QFile m_file;
    int m_headLen;
    int m_recLen;
    int m_count;
    std::vector<std::unique_ptr<std::uint8_t[]>> m_chunks;
    std::size_t m_loaded = 0;
    std::size_t m_nextToLoad = 0;
};

} // namespace kvilbo::listview
