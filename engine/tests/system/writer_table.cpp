#include "engine/tests/system/writer_table.h"

#include "engine/dbf_format.h"

#include <charconv>
#include <stdexcept>

namespace kvilbo::engine::systemtest {

namespace {

int parseInt(const std::string &text)
{
    std::size_t begin = text.find_first_not_of(' ');
    if (begin == std::string::npos)
        return -1;
    int value = -1;
    const char *first = text.data() + begin;
    const char *last = text.data() + text.find_last_not_of(' ') + 1;
    auto [end, ec] = std::from_chars(first, last, value);
    return ec == std::errc() && end == last ? value : -1;
}

} // namespace

void createWriterTable(const std::string &path, std::uint8_t dbType)
{
    TDbfTable table;
    const bool ok = table.LagFelt("WRITER", 'N', 3, 0, dbType) && table.LagFelt("SEQ", 'N', 7, 0, dbType)
                    && table.LagFelt("NAVN", 'C', 30, 0, dbType)
                    && table.LagFelt("NOTAT", 'M', 10, 0, dbType);
    if (!ok)
        throw std::runtime_error("field definition refused");
    table.LagDatabase(path, dbType);
}

std::string nameText(int writer, int seq)
{
    return "Skriver " + std::to_string(writer) + " kort " + std::to_string(seq) + " æøå";
}

std::string memoText(int writer, int seq, int version)
{
    std::string text = "W" + std::to_string(writer) + " S" + std::to_string(seq) + " V"
                       + std::to_string(version) + "|";
    const int length = 10 + (writer * 7 + seq * 131 + version * 977) % 1500;
    static const std::string filler = "Blåbær og tyttebær ÆØÅ 0123456789\r\n";
    while (static_cast<int>(text.size()) < length)
        text += filler;
    return text + "|end";
}

int appendRecord(TDbfTable &table, int writer, int seq)
{
    const int before = table.RecCount();
    table.AppendBlank();
    if (table.RecCount() <= before)
        return 0;
    const int recNo = table.RecNo();
    table.Store("WRITER", std::to_string(writer));
    table.Store("SEQ", std::to_string(seq));
    table.Store("NAVN", nameText(writer, seq));
    for (int attempt = 0; attempt < 100; ++attempt) {
        if (table.Write(false))
            return recNo;
    }
    throw std::runtime_error("record " + std::to_string(recNo) + " could not be written");
}

bool writeMemo(TDbfTable &table, int writer, int seq, int version)
{
    const std::string text = memoText(writer, seq, version);
    table.MemoWrite(kMemoField, text);
    return table.MemoRead(kMemoField) == text;
}

RecordState readRecord(TDbfTable &table)
{
    RecordState state;
    const std::string writerText = table.GetF(kWriterField);
    const std::string seqText = table.GetF(kSeqField);
    const std::string name = table.GetF(kNameField);
    if (writerText.find_first_not_of(' ') == std::string::npos
        && seqText.find_first_not_of(' ') == std::string::npos
        && name.find_first_not_of(' ') == std::string::npos) {
        state.blank = true;
        if (table.MemoState(kMemoField) == "EDITOR")
            state.problem = "blank record with a memo";
        return state;
    }
    state.writer = parseInt(writerText);
    state.seq = parseInt(seqText);
    if (state.writer < 0 || state.seq < 0) {
        state.problem = "unreadable numbers '" + writerText + "' '" + seqText + "'";
        return state;
    }
    const std::string where = "record (" + std::to_string(state.writer) + ","
                              + std::to_string(state.seq) + ")";
    if (std::string(trimBlanks(name)) != nameText(state.writer, state.seq)) {
        state.problem = where + " has name '" + name + "'";
        return state;
    }
    if (table.MemoState(kMemoField) != "EDITOR")
        return state;
    const std::string memo = table.MemoRead(kMemoField);
    const std::string prefix = "W" + std::to_string(state.writer) + " S" + std::to_string(state.seq)
                               + " V";
    if (memo.rfind(prefix, 0) != 0) {
        state.problem = where + " has a foreign or torn memo starting '" + memo.substr(0, 40) + "'";
        return state;
    }
    state.memoVersion = parseInt(memo.substr(prefix.size(), memo.find('|') - prefix.size()));
    if (state.memoVersion < 1 || memo != memoText(state.writer, state.seq, state.memoVersion))
        state.problem = where + " has a torn memo of " + std::to_string(memo.size()) + " bytes";
    return state;
}

bool takeOverDeadClaim(const std::string &path)
{
    TDbfTable table;
    if (!table.OpenDatabase(path, false, false))
        throw std::runtime_error("cannot open " + path + ": " + table.lastMessage());
    if (!table.CoverCheck())
        return false;
    // Claims are judged by age; a clock past the zombie time sees the dead
    // writer's claim as the stale one it is.
    table.setClock([] { return localNow() + 3600.0 / 86400.0; });
    if (!table.Cover())
        throw std::runtime_error("dead claim on " + path + " not taken over");
    table.UnCover();
    return true;
}

} // namespace kvilbo::engine::systemtest
