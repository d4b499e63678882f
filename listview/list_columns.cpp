#include "listview/list_columns.h"

#include "core/messages.h"
#include "engine/dbf_format.h"

#include <charconv>
#include <cstdio>
#include <stdexcept>

namespace kvilbo::listview {

namespace {

// Whole text as a non-negative integer; leading blanks allowed as the program's
// integer reading allows them.
int readInt(std::string_view text, const char *what)
{
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    int value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size())
        throw std::invalid_argument(std::string(what) + " '" + std::string(text) + "' is not a number");
    return value;
}

} // namespace

std::string ColumnDescriptor::text() const
{
    char buf[16];
    std::snprintf(buf, sizeof buf, "%03d %c %c", field % 1000, align, static_cast<char>(sort));
    return buf;
}

ColumnDescriptor ColumnDescriptor::parse(std::string_view text)
{
    ColumnDescriptor d;
    d.field = readInt(text.substr(0, 3), "Column field");
    d.align = text.size() > 4 && text[4] == 'H' ? 'H' : 'V';
    const char s = text.size() > 6 ? text[6] : 'X';
    d.sort = s == 'O' ? SortState::Ascending : s == 'N' ? SortState::Descending : SortState::None;
    return d;
}

ColumnDescriptor ColumnDescriptor::forField(int field, char typ)
{
    return {field, typ == 'N' || typ == 'F' ? 'H' : 'V', SortState::None};
}

std::string rowKey(bool marked, int recNo)
{
    char buf[16];
    std::snprintf(buf, sizeof buf, "%c    %07d", marked ? 'x' : ' ', recNo % 10000000);
    return buf;
}

int recNoOfKey(std::string_view key)
{
    return readInt(key.size() > 5 ? key.substr(5, 7) : std::string_view(), "Row key record number");
}

QString listEditMask(const engine::TdbField &field, QChar decSep)
{
    const int len = field.len;
    const int des = field.places;
    switch (field.what) {
    case 'D':
        return QStringLiteral("99.99.9999;1; ");
    case 'N':
    case 'F':
        if (des == 0)
            return QString(len, QLatin1Char('#')) + QStringLiteral(";1; ");
        return QString(std::max(0, len - des - 1), QLatin1Char('#')) + decSep
            + QString(des, QLatin1Char('9')) + QStringLiteral(";1; ");
    case 'L':
        return QStringLiteral("CCC;1; ");
    case 'M':
        return QString(24, QLatin1Char('C')) + QStringLiteral(";1; ");
    default:
        return {};
    }
}

bool acceptNumericKey(QChar ch, const QString &text, int selStart, int selLength, QChar decSep)
{
    if (ch == QLatin1Char('\r') || ch == QLatin1Char('\n') || (ch.isDigit() && ch.unicode() < 128)
        || ch == decSep)
        return true;
    if (ch != QLatin1Char('-'))
        return false;
    // One sign, in front only, and not typed over a whole selection (an empty
    // editor has nothing selected, so it takes the sign).
    return (text.isEmpty() || selLength != text.size()) && selStart == 0 && !text.contains(QLatin1Char('-'));
}

QString toggledLogical(const QString &cellText, int spraak)
{
    const QString t = cellText.trimmed();
    if (spraak == 1)
        return t != QLatin1String("Yes") ? QStringLiteral("Yes") : QStringLiteral("No ");
    return t != QLatin1String("Ja") ? QStringLiteral("Ja ") : QStringLiteral("Nei");
}

std::string visfeltinfoTekst(const engine::TdbField &field, bool ListeVisningAktiv,
                             const core::Texts &texts)
{
    switch (field.what) {
    case 'C':
        return texts.ss(2017, {static_cast<int>(field.len)});
    case 'D':
        return texts.ss(ListeVisningAktiv ? 2013 : 2014);
    case 'N':
    case 'F':
        return texts.ss(2015, {static_cast<int>(field.len), static_cast<int>(field.places)});
    case 'L':
        return texts.ss(2016);
    case 'M':
        return texts.ss(ListeVisningAktiv ? 2011 : 2012);
    default:
        return {};
    }
}

} // namespace kvilbo::listview
