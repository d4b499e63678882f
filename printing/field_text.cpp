#include "printing/field_text.h"

#include "cardview/converters.h"
#include "engine/dbf_table.h"

namespace kvilbo::printing {

namespace {

QString dateText(const QString& stored)
{
    const QString dotted = stored.mid(6, 2) + QLatin1Char('.') + stored.mid(4, 2)
        + QLatin1Char('.') + stored.left(4);
    // The rearranged text always has a four-digit year, so the century base never applies.
    return cardview::FreshDate(dotted, 2000);
}

// A stored number another program damaged (or a dBASE overflow of asterisks) shows as
// it is stored: one unreadable cell must not stop the list, a search or a print job.
QString numberText(const QString& stored, int length, int decimals, int spraak)
{
    try {
        return cardview::FreshNum(stored, length, decimals, spraak);
    } catch (const cardview::ConversionError&) {
        return stored.trimmed();
    }
}

} // namespace

QString GetX(engine::TDbfTable& table, int FeltNr, int spraak)
{
    if (!table.isOpen() || FeltNr < 1 || FeltNr > table.fieldCount())
        return {};
    const engine::TdbField field = table.GetField(FeltNr);
    const QString stored = QString::fromStdString(table.GetF(FeltNr));
    switch (field.what) {
    case 'C':
        return stored.trimmed();
    case 'D':
        return dateText(stored);
    case 'N':
    case 'F':
        return numberText(stored, field.len, field.places, spraak);
    case 'L':
        return cardview::FreshLog(stored, spraak);
    case 'M':
        return QString::fromStdString(table.MemoState(FeltNr));
    default:
        // Types the card cannot edit (a time of day, or a letter another program
        // wrote) show their stored text, so nothing the file holds is hidden.
        return stored.trimmed();
    }
}

} // namespace kvilbo::printing
