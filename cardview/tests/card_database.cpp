#include "card_database.h"

#include <fstream>
#include <sstream>
#include <stdexcept>

namespace kvilbo::cardview::test {

CardDatabase::CardDatabase(int spraak) : texts(static_cast<std::uint16_t>(spraak))
{
    if (!dir.isValid())
        throw std::runtime_error("no temporary folder");
    konfig = core::defaultKonfig();
    log = std::make_unique<core::Log>(dir.path().toStdString(), texts);
    const bool ok = DBF.LagFelt("NAVN", 'C', 10, 0, 0) && DBF.LagFelt("BELOP", 'N', 8, 2, 0)
                    && DBF.LagFelt("ANTALL", 'N', 4, 0, 0) && DBF.LagFelt("MENGDE", 'N', 6, 1, 0)
                    && DBF.LagFelt("AKTIV", 'L', 1, 0, 0) && DBF.LagFelt("DATO", 'D', 8, 0, 0)
                    && DBF.LagFelt("NOTAT", 'M', 4, 0, 0) && DBF.LagFelt("VEKT", 'F', 6, 1, 0);
    if (!ok)
        throw std::runtime_error("field definition refused");
    DBF.LagDatabase(path(), 0);
    if (!DBF.OpenDatabase(path(), false, false))
        throw std::runtime_error("cannot open " + path());
    DBF.AppendBlank();
    DBF.Store("NAVN", "12");
    DBF.Store("BELOP", "  -12.00");
    DBF.Store("ANTALL", "   3");
    DBF.Store("MENGDE", "   2.5");
    DBF.Store("AKTIV", "T");
    DBF.Store("DATO", "20150305");
    DBF.Store("VEKT", "  10.0");
    if (!DBF.Write(false))
        throw std::runtime_error("write refused");
    DBF.MemoWrite(kNotat, "Linje 1\r\nLinje 2");
    DBF.AppendBlank();
    DBF.closedatabase();
}

CardDatabase::~CardDatabase()
{
    if (layoutTable)
        layoutTable->close();
    DBF.closedatabase();
}

std::string CardDatabase::path() const
{
    return dir.filePath(QStringLiteral("KORT.DBF")).toStdString();
}

void CardDatabase::open()
{
    if (!DBF.OpenDatabase(path(), false, false))
        throw std::runtime_error("cannot open " + path());
    layoutTable = std::make_unique<layout::LayoutTable>(konfig, texts, *log);
    layoutTable->Formularaapne(DBF);
    DBF.Go(1);
}

void CardDatabase::replaceCard(const std::vector<layout::LayoutRecord> &recs)
{
    engine::TDbfTable &FORFIL = layoutTable->FORFIL();
    for (int r = 1; r <= FORFIL.RecCount(); ++r) {
        FORFIL.Go(r);
        if (!FORFIL.IsCurrentRecDeleted() && FORFIL.GetF(layout::FormType) == "2")
            FORFIL.Delete(true);
    }
    layout::appendLayoutRecords(FORFIL, recs);
}

std::string CardDatabase::fileBytes() const
{
    std::ifstream in(path(), std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

std::string CardDatabase::fieldBytes(int recNo, int f) const
{
    const std::string file = fileBytes();
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(file.at(i)); };
    const std::size_t headLen = byte(8) | byte(9) << 8;
    const std::size_t recLen = byte(10) | byte(11) << 8;
    std::size_t offset = 1;
    for (int i = 1; i < f; ++i)
        offset += byte(32 + (i - 1) * 32 + 16);
    const std::size_t len = byte(32 + (f - 1) * 32 + 16);
    return file.substr(headLen + (recNo - 1) * recLen + offset, len);
}

std::string CardDatabase::logText() const
{
    std::ifstream in(log->filePath(), std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

layout::LayoutRecord fieldRecord(int feltNr, int top, int tab)
{
    layout::LayoutRecord rec(layout::form::Side, 2);
    rec.set(layout::ObjLinje, top).set(layout::ObjKol, 40).set(layout::ObjHoyde, 24).set(layout::ObjBredde, 200);
    rec.set(layout::ObjRamme, 1).set(layout::ObjRefNr, feltNr).set(layout::ObjTabNr, tab);
    return rec;
}

} // namespace kvilbo::cardview::test
