#include "print_database.h"

#include "printing/print_file.h"

#include <stdexcept>

namespace kvilbo::printing::test {

namespace {

void require(bool ok, const std::string& what)
{
    if (!ok)
        throw std::runtime_error("print database: " + what);
}

} // namespace

PrintDatabase::PrintDatabase(int records)
    : Konfig(core::defaultKonfig()), log(dir.path().toStdString(), texts),
      layout(Konfig, texts, log)
{
    Konfig.UtskriftFontN.setText("DejaVu Sans");
    Konfig.UtskriftFontS = 10;
    require(DBF.LagFelt("NR", 'N', 5, 0, 0), "NR");
    require(DBF.LagFelt("NAVN", 'C', 30, 0, 0), "NAVN");
    require(DBF.LagFelt("BELOP", 'N', 8, 2, 0), "BELOP");
    require(DBF.LagFelt("NOTAT", 'M', 4, 0, 0), "NOTAT");
    const std::string path = beside(QStringLiteral("KUNDER.DBF")).toStdString();
    DBF.LagDatabase(path, 0);
    require(DBF.OpenDatabase(path, true, false), DBF.lastErrorMessage());
    for (int i = 1; i <= records; ++i) {
        DBF.AppendBlank();
        DBF.Store("NR", std::to_string(i));
        DBF.Store("NAVN", "Kunde " + std::to_string(i));
        DBF.Store("BELOP", std::to_string(i) + ".5");
        require(DBF.Write(false), DBF.lastErrorMessage());
    }
    DBF.Go(1);
    layout.Formularaapne(DBF);
}

PrintDatabase::~PrintDatabase()
{
    layout.close();
    DBF.closedatabase();
}

QString PrintDatabase::beside(const QString& name) const
{
    return dir.filePath(name);
}

void PrintDatabase::put(int rec, const char* name, const QString& value)
{
    DBF.Go(rec);
    DBF.Store(name, value.toStdString());
    require(DBF.Write(false), DBF.lastErrorMessage());
}

void PrintDatabase::writeTemplate(const QString& text)
{
    writePrintText(beside(QStringLiteral("KUNDER.prt")), text);
}

std::vector<int> PrintDatabase::all() const
{
    std::vector<int> recNos;
    for (int i = 1; i <= DBF.RecCount(); ++i)
        recNos.push_back(i);
    return recNos;
}

} // namespace kvilbo::printing::test
