#include "test_database.h"

#include <fstream>
#include <stdexcept>

namespace kvilbo::listview::test {

const Row *sampleRows()
{
    static const Row rows[kSampleRows] = {
        {"\xC3\x98rjan", "   12.50", "   3", "20030201", "T"}, // Ørjan
        {"anders", "   -5.00", "  10", "19991231", "F"},
        {"\xC3\x85se", "  100.00", "    ", "        ", "T"},     // Åse, no amount of items, no date
        {"Zelda", "    0.50", "   7", "20000229", "F"},
        {"", "    7.00", "   2", "20100101", "T"},                // no name
        {"Bj\xC3\xB8rn", "   12.50", "   1", "19850615", "F"},  // Bjørn
        {"\xC3\xA6sj", "    3.00", "   4", "        ", ""},      // æsj
    };
    return rows;
}

TestDatabase::TestDatabase(int tableType, bool withRows)
{
    if (!dir.isValid())
        throw std::runtime_error("no temporary folder");
    konfig = core::defaultKonfig();
    log = std::make_unique<core::Log>(dir.path().toStdString(), texts);
    const auto t = static_cast<std::uint8_t>(tableType);
    const bool ok = DBF.LagFelt("NAVN", 'C', 20, 0, t) && DBF.LagFelt("BELOP", 'N', 8, 2, t)
                    && DBF.LagFelt("ANTALL", 'N', 4, 0, t) && DBF.LagFelt("FODT", 'D', 8, 0, t)
                    && DBF.LagFelt("AKTIV", 'L', 1, 0, t)
                    && DBF.LagFelt("NOTAT", 'M', tableType == 0 ? 4 : 10, 0, t);
    if (!ok)
        throw std::runtime_error("field definition refused");
    DBF.LagDatabase(path(), t);
    if (!DBF.OpenDatabase(path(), false, false))
        throw std::runtime_error("cannot open " + path());
    if (withRows)
        for (int i = 0; i < kSampleRows; ++i)
            append(sampleRows()[i]);
    DBF.closedatabase();
}

TestDatabase::~TestDatabase()
{
    if (layoutTable)
        layoutTable->close();
    DBF.closedatabase();
}

void TestDatabase::open()
{
    if (!DBF.OpenDatabase(path(), false, false))
        throw std::runtime_error("cannot open " + path());
    layoutTable = std::make_unique<layout::LayoutTable>(konfig, texts, *log);
    layoutTable->Formularaapne(DBF);
}

void TestDatabase::close(const layout::ListViewState *state)
{
    if (state)
        layoutTable->saveListView(DBF, *state);
    layoutTable->close();
    layoutTable.reset();
    DBF.closedatabase();
}

void TestDatabase::append(const Row &row)
{
    DBF.AppendBlank();
    DBF.Store("NAVN", row.navn);
    DBF.Store("BELOP", row.belop);
    DBF.Store("ANTALL", row.antall);
    DBF.Store("FODT", row.fodt);
    DBF.Store("AKTIV", row.aktiv);
    if (!DBF.Write(false))
        throw std::runtime_error("write refused");
}

std::string TestDatabase::fieldBytes(int recNo, int f) const
{
    std::ifstream in(path(), std::ios::binary);
    char head[32];
    in.read(head, 32);
    const int headLen = static_cast<unsigned char>(head[8]) | static_cast<unsigned char>(head[9]) << 8;
    const int recLen = static_cast<unsigned char>(head[10]) | static_cast<unsigned char>(head[11]) << 8;
    in.seekg(32 + (f - 1) * 32);
    char desc[32];
    in.read(desc, 32);
    // Field offsets follow from the lengths before it; the descriptor's own offset
    // bytes are not written by every kind.
    int offset = 1;
    for (int i = 1; i < f; ++i) {
        in.seekg(32 + (i - 1) * 32 + 16);
        offset += static_cast<unsigned char>(in.get());
    }
    const int len = static_cast<unsigned char>(desc[16]);
    std::string bytes(static_cast<std::size_t>(len), '\0');
    in.seekg(headLen + static_cast<std::int64_t>(recNo - 1) * recLen + offset);
    in.read(bytes.data(), len);
    return bytes;
}

std::string TestDatabase::path() const { return (dir.path() + QStringLiteral("/KORT.DBF")).toStdString(); }

} // namespace kvilbo::listview::test
