#include "engine/dbf_table.h"

#include "engine/cp1252.h"

#include <algorithm>

namespace kvilbo::engine {
namespace {

// Upper case of one Windows-1252 byte as the Western European locale has it.
unsigned char upperCp1252(unsigned char c)
{
    if (c >= 'a' && c <= 'z')
        return static_cast<unsigned char>(c - 0x20);
    if (c >= 0xE0 && c <= 0xFE && c != 0xF7)
        return static_cast<unsigned char>(c - 0x20);
    switch (c) {
    case 0x9A: return 0x8A; // s caron
    case 0x9C: return 0x8C; // oe
    case 0x9E: return 0x8E; // z caron
    case 0xFF: return 0x9F; // y diaeresis
    default: return c;
    }
}

std::string upperAll(std::string_view s)
{
    std::string out(s);
    for (char &c : out)
        c = static_cast<char>(upperCp1252(static_cast<unsigned char>(c)));
    return out;
}

struct TypeNames {
    char letter;
    const char *norwegian;
    const char *english;
};

constexpr TypeNames kTypeNames[] = {
    {'C', "Karakter", "Character"}, {'D', "Dato", "Date"},     {'F', "Float", "Float"},
    {'L', "Logisk", "Logical"},     {'M', "Editor", "Memo"},   {'N', "Numerisk", "Numeric"},
};

const TypeNames *typeNames(char what)
{
    const char letter = (what >= 'a' && what <= 'z') ? static_cast<char>(what - 0x20) : what;
    for (const TypeNames &t : kTypeNames)
        if (t.letter == letter)
            return &t;
    return nullptr;
}

} // namespace

bool TDbfTable::KortSok(const std::string &SokeStreng) const
{
    if (!Records() || FDBFBuff.empty())
        return false;
    const std::string needle = upperAll(toCp1252(SokeStreng));
    if (needle.empty())
        return false;
    const std::string hay =
        upperAll(std::string_view(reinterpret_cast<const char *>(FDBFBuff.data()), FDBFBuff.size()));
    return hay.find(needle) != std::string::npos;
}

const TdbField *TDbfTable::fieldByName(std::string_view key, bool trimKey) const
{
    std::string wanted = toCp1252(key);
    if (trimKey)
        wanted = std::string(trimBlanks(wanted));
    wanted = upperAscii(wanted);
    for (int i = 1; i <= FDBFCountItems; ++i)
        if (storedFieldName(FDBFFields[i]) == wanted)
            return &FDBFFields[i];
    return nullptr;
}

bool TDbfTable::validField(int FeltNr)
{
    if (FeltNr >= 1 && FeltNr <= FDBFCountItems)
        return true;
    if (OnError)
        OnError(std::string());
    return false;
}

TdbField TDbfTable::GetField(int Index)
{
    if (Index < 0 || Index > FDBFCountItems) {
        if (OnError)
            OnError(std::string());
        return {};
    }
    return FDBFFields[Index];
}

TdbField TDbfTable::GetFieldByName(const std::string &Key)
{
    if (const TdbField *f = fieldByName(Key, true))
        return *f;
    if (OnError)
        OnError(std::string());
    return {};
}

int TDbfTable::FieldNumber(const std::string &FeltNavn) const
{
    const TdbField *f = fieldByName(FeltNavn, true);
    return f ? static_cast<int>(f - FDBFFields.data()) : 0;
}

std::string TDbfTable::FieldName(int FeltNr)
{
    return validField(FeltNr) ? fromCp1252(storedFieldName(FDBFFields[FeltNr])) : std::string();
}

int TDbfTable::FieldLen(int FeltNr)
{
    return validField(FeltNr) ? FDBFFields[FeltNr].len : 0;
}

int TDbfTable::FieldDes(int FeltNr)
{
    return validField(FeltNr) ? FDBFFields[FeltNr].places : 0;
}

std::string TDbfTable::FieldType(int FeltNr)
{
    if (!validField(FeltNr))
        return {};
    const TypeNames *t = typeNames(FDBFFields[FeltNr].what);
    return t ? t->norwegian : std::string();
}

std::string TDbfTable::FieldTypeE(int FeltNr)
{
    if (!validField(FeltNr))
        return {};
    const TypeNames *t = typeNames(FDBFFields[FeltNr].what);
    return t ? t->english : std::string();
}

} // namespace kvilbo::engine
