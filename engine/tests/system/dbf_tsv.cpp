// Table contents as TSV, for comparing the engine with other dBASE tools.
//
//   dbf_tsv dump <table>
//       prints "#fields" and NAME:T:len:dec per field, then per record "rec",
//       the deletion flag (0/1) and each field's text (GetF; memo text for M).
//   dbf_tsv create <table> <type 0|1|2> <description.tsv>
//       creates a table from the same format (values in stored form) and fills
//       it through AppendBlank, Store, Write, MemoWrite and Delete.
//
// Text is UTF-8; backslash, tab, line feed and carriage return are escaped.
#include "engine/dbf_table.h"

#include <cstdlib>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

using kvilbo::engine::TDbfTable;

namespace {

std::string escape(const std::string &text)
{
    std::string out;
    for (char c : text) {
        switch (c) {
        case '\\': out += "\\\\"; break;
        case '\t': out += "\\t"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        default: out += c;
        }
    }
    return out;
}

std::string unescape(const std::string &text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 1 < text.size()) {
            const char c = text[++i];
            out += c == 't' ? '\t' : c == 'n' ? '\n' : c == 'r' ? '\r' : c;
        } else {
            out += text[i];
        }
    }
    return out;
}

std::vector<std::string> splitTabs(const std::string &line)
{
    std::vector<std::string> cells;
    std::size_t start = 0;
    for (;;) {
        const std::size_t tab = line.find('\t', start);
        cells.push_back(line.substr(start, tab - start));
        if (tab == std::string::npos)
            return cells;
        start = tab + 1;
    }
}

[[noreturn]] void fail(const std::string &why)
{
    std::cerr << "dbf_tsv: " << why << "\n";
    std::exit(2);
}

int dump(const std::string &path)
{
    TDbfTable table;
    if (!table.OpenDatabase(path, false, false))
        fail(table.lastMessage());
    std::cout << "#fields";
    for (int f = 1; f <= table.fieldCount(); ++f) {
        const auto field = table.GetField(f);
        std::cout << '\t' << table.FieldName(f) << ':' << field.what << ':' << table.FieldLen(f) << ':'
                  << table.FieldDes(f);
    }
    std::cout << '\n';
    for (int r = 1; r <= table.RecCount(); ++r) {
        table.Go(r);
        std::cout << "rec\t" << (table.IsCurrentRecDeleted() ? 1 : 0);
        for (int f = 1; f <= table.fieldCount(); ++f) {
            const bool memo = table.GetField(f).what == 'M';
            std::cout << '\t' << escape(memo ? table.MemoRead(static_cast<std::uint16_t>(f)) : table.GetF(f));
        }
        std::cout << '\n';
    }
    return 0;
}

int create(const std::string &path, int dbType, const std::string &descriptionPath)
{
    std::ifstream description(descriptionPath);
    std::string line;
    if (!std::getline(description, line))
        fail("empty description");
    const auto header = splitTabs(line);
    if (header.empty() || header[0] != "#fields")
        fail("description must start with #fields");
    struct Field { std::string name; char type; };
    std::vector<Field> fields;
    TDbfTable table;
    for (std::size_t i = 1; i < header.size(); ++i) {
        std::istringstream column(header[i]);
        std::string name, type, length, places;
        std::getline(column, name, ':');
        std::getline(column, type, ':');
        std::getline(column, length, ':');
        std::getline(column, places, ':');
        if (type.size() != 1
            || !table.LagFelt(name, type[0], static_cast<std::uint8_t>(std::stoi(length)),
                              static_cast<std::uint8_t>(std::stoi(places)), static_cast<std::uint8_t>(dbType)))
            fail("field refused: " + header[i]);
        fields.push_back({name, type[0]});
    }
    table.LagDatabase(path, static_cast<std::uint8_t>(dbType));
    if (!table.OpenDatabase(path, true, false))
        fail(table.lastMessage());
    while (std::getline(description, line)) {
        const auto cells = splitTabs(line);
        if (cells.size() != fields.size() + 2 || cells[0] != "rec")
            fail("bad record line: " + line);
        table.AppendBlank();
        for (std::size_t i = 0; i < fields.size(); ++i) {
            if (fields[i].type != 'M')
                table.Store(fields[i].name, unescape(cells[i + 2]));
        }
        if (!table.Write(false))
            fail(table.lastMessage());
        for (std::size_t i = 0; i < fields.size(); ++i) {
            if (fields[i].type == 'M')
                table.MemoWrite(static_cast<std::uint16_t>(i + 1), unescape(cells[i + 2]));
        }
        if (cells[1] == "1")
            table.Delete(true);
    }
    table.closedatabase();
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    try {
        const std::string mode = argc > 1 ? argv[1] : "";
        if (mode == "dump" && argc == 3)
            return dump(argv[2]);
        if (mode == "create" && argc == 5)
            return create(argv[2], std::atoi(argv[3]), argv[4]);
    } catch (const std::exception &e) {
        fail(e.what());
    }
    std::cerr << "usage: dbf_tsv dump <table> | create <table> <type> <description.tsv>\n";
    return 1;
}
