#include "listview/record_store.h"

#include "core/io_error.h"

#include <QElapsedTimer>

#include <cstring>

namespace kvilbo::listview {

RecordStore::RecordStore(const QString &path, int headLen, int recLen, int count)
    : m_file(path), m_headLen(headLen), m_recLen(recLen), m_count(count)
{
    if (!m_file.open(QIODevice::ReadOnly))
        throw core::IoError("Cannot read " + path.toStdString() + ": " + m_file.errorString().toStdString());
    m_chunks.resize(static_cast<std::size_t>((count + kChunk - 1) / kChunk));
}

const std::uint8_t *RecordStore::record(int recNo)
{
    const std::size_t i = static_cast<std::size_t>(recNo - 1);
    const std::size_t chunk = i / kChunk;
    if (!m_chunks[chunk])
        readChunk(chunk);
    return m_chunks[chunk].get() + (i % kChunk) * static_cast<std::size_t>(m_recLen);
}

void RecordStore::readRecords(std::int64_t first, int n, std::uint8_t *into)
{
    const std::size_t want = static_cast<std::size_t>(n) * static_cast<std::size_t>(m_recLen);
    qint64 got = 0;
    if (m_file.seek(m_headLen + first * m_recLen))
        got = m_file.read(reinterpret_cast<char *>(into), static_cast<qint64>(want));
    if (got < 0)
        throw core::IoError("Cannot read " + m_file.fileName().toStdString() + ": "
                            + m_file.errorString().toStdString());
    // A file cut short shows its missing records blank rather than stopping the list.
    std::memset(into + got, ' ', want - static_cast<std::size_t>(got));
}

void RecordStore::readChunk(std::size_t chunk)
{
    const std::int64_t first = static_cast<std::int64_t>(chunk) * kChunk;
    const int n = static_cast<int>(std::min<std::int64_t>(kChunk, m_count - first));
    // Only the last chunk may grow (append), so it gets room for a whole chunk.
    auto bytes = std::make_unique_for_overwrite<std::uint8_t[]>(static_cast<std::size_t>(kChunk) * m_recLen);
    readRecords(first, n, bytes.get());
    m_chunks[chunk] = std::move(bytes);
    ++m_loaded;
}

bool RecordStore::loadStep(int budgetMs)
{
    QElapsedTimer clock;
    clock.start();
    do {
        while (m_nextToLoad < m_chunks.size() && m_chunks[m_nextToLoad])
            ++m_nextToLoad;
        if (m_nextToLoad >= m_chunks.size())
            return true;
        readChunk(m_nextToLoad);
    } while (clock.elapsed() < budgetMs);
    return complete();
}

void RecordStore::loadAll()
{
    while (!loadStep(1000)) {
    }
}

void RecordStore::refresh(int recNo)
{
    const std::size_t i = static_cast<std::size_t>(recNo - 1);
    if (!m_chunks[i / kChunk])
        return; // read fresh when first needed
    readRecords(recNo - 1, 1, const_cast<std::uint8_t *>(record(recNo)));
}

void RecordStore::append()
{
    ++m_count;
    const std::size_t chunks = static_cast<std::size_t>((m_count + kChunk - 1) / kChunk);
    if (chunks > m_chunks.size())
        m_chunks.resize(chunks);
    const std::size_t chunk = static_cast<std::size_t>(m_count - 1) / kChunk;
    if (m_chunks[chunk])
        refresh(m_count);
    else
        readChunk(chunk);
}

std::size_t RecordStore::bytesHeld() const
{
    return m_loaded * static_cast<std::size_t>(kChunk) * static_cast<std::size_t>(m_recLen);
}

} // namespace kvilbo::listview
