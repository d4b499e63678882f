#include "listview/cell_text.h"

#include "cardview/converters.h"
#include "engine/cp1252.h"
#include "engine/dbf_format.h"

namespace kvilbo::listview {

QString storedText(const std::uint8_t *rec, const engine::TdbField &f)
{
    const std::string_view bytes(reinterpret_cast<const char *>(rec + f.offset), f.len);
    bool ascii = true;
    for (const char c : bytes)
        ascii = ascii && static_cast<unsigned char>(c) < 0x80;
    if (ascii)
        return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
    return QString::fromStdString(engine::fromCp1252(bytes));
}

QString cellDisplayText(const std::uint8_t *rec, const engine::TdbField &f, int spraak)
{
    switch (f.what) {
    case 'D': {
        const QString s = storedText(rec, f);
        return cardview::FreshDate(s.mid(6, 2) + QLatin1Char('.') + s.mid(4, 2) + QLatin1Char('.') + s.left(4),
                                   2000);
    }
    case 'N':
    case 'F': {
        const QString s = storedText(rec, f);
        try {
            return cardview::FreshNum(s, f.len, f.places, spraak);
        } catch (const cardview::ConversionError &) {
            return s.trimmed(); // a damaged number shows as stored
        }
    }
    case 'L':
        return cardview::FreshLog(storedText(rec, f), spraak);
    case 'M':
        return engine::pointerFromBytes(rec + f.offset, f.len) != 0 ? QStringLiteral("EDITOR")
                                                                    : QStringLiteral("editor");
    default:
        return storedText(rec, f).trimmed();
    }
}

} // namespace kvilbo::listview
