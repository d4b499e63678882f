#include "cardview/card_layout.h"

#include "engine/dbf_table.h"
#include "layout/layout_fields.h"

#include <QDir>
#include <QFileInfo>

#include <array>
#include <optional>

namespace kvilbo::cardview {

namespace {

using layout::Felt;

std::optional<long long> integerOf(const QString &text)
{
    bool ok = false;
    const long long value = text.trimmed().toLongLong(&ok);
    return ok ? std::optional<long long>(value) : std::nullopt;
}

int intOr(const QString &text, int fallback)
{
    const std::optional<long long> v = integerOf(text);
    return v && *v >= INT32_MIN && *v <= INT32_MAX ? static_cast<int>(*v) : fallback;
}

// One layout record's fields as text, read by number.
class RecordText {
public:
    explicit RecordText(engine::TDbfTable &table) : m_table(table) {}
    QString operator()(Felt f) const { return QString::fromStdString(m_table.GetF(f)); }
    int number(Felt f, int fallback = 0) const { return intOr((*this)(f), fallback); }

private:
    engine::TDbfTable &m_table;
};

CardObject::Align alignOf(int just)
{
    return just == 1 ? CardObject::Align::Right
           : just == 2 ? CardObject::Align::Centre
                       : CardObject::Align::Left;
}

void readLook(const RecordText &rec, CardObject &o)
{
    o.top = rec.number(layout::ObjLinje);
    o.left = rec.number(layout::ObjKol);
    o.height = rec.number(layout::ObjHoyde);
    o.width = rec.number(layout::ObjBredde);
    o.align = alignOf(rec.number(layout::ObjJust));
    o.fontName = rec(layout::ObjFontN).trimmed();
    o.underline = flagOfText(rec(layout::ObjFontU));
    o.italic = flagOfText(rec(layout::ObjFontK));
    o.bold = flagOfText(rec(layout::ObjFontF));
    o.textColour = colourOfText(rec(layout::ObjFtxt));
    o.backgroundColour = colourOfText(rec(layout::ObjFbg));
}

// A database field: false when the table has no such field or no control fits its type.
bool readField(const RecordText &rec, engine::TDbfTable &DBF, CardObject &o)
{
    const QString ref = rec(layout::ObjRefNr);
    const std::optional<long long> number = integerOf(ref);
    if (!number)
        throw LayoutValueError(
            QStringLiteral("\"%1\" is not a valid field number of a card field").arg(ref.trimmed()).toStdString());
    if (*number < 1 || *number > DBF.fieldCount())
        return false;
    o.fieldNumber = static_cast<int>(*number);
    const engine::TdbField f = DBF.GetField(o.fieldNumber);
    if (!hasCardControl(f.what))
        return false;
    o.fieldType = f.what;
    o.fieldLength = f.len;
    o.fieldDecimals = f.places;
    o.border = rec.number(layout::ObjRamme) == 1;
    const int tab = rec.number(layout::ObjTabNr);
    o.tabNumber = tab >= 1 && tab <= 255 ? tab : 0;
    return true;
}

} // namespace

CardLayout readCardLayout(engine::TDbfTable &FORFIL, engine::TDbfTable &DBF)
{
    CardLayout card;
    const RecordText rec(FORFIL);
    const int count = FORFIL.RecCount();
    for (int r = 1; r <= count; ++r) {
        FORFIL.Go(r);
        if (FORFIL.IsCurrentRecDeleted() || rec.number(layout::FormType, -1) != layout::form::Side)
            continue;
        CardObject o;
        switch (rec.number(layout::ObjType, -1)) {
        case 1:
            card.hasBackground = true;
            card.background = colourOfText(rec(layout::ObjFbg));
            continue;
        case 2: {
            o.kind = CardObject::Kind::Field;
            readLook(rec, o);
            if (!readField(rec, DBF, o))
                continue;
            const bool textField = o.fieldType == 'C' || o.fieldType == 'M';
            o.fontSize = rec.number(layout::ObjFontS, textField ? 8 : 0);
            break;
        }
        case 3:
            o.kind = CardObject::Kind::TextBox;
            readLook(rec, o);
            o.fontSize = rec.number(layout::ObjFontS, 0);
            o.transparent = rec.number(layout::ObjBackS) == 1;
            o.refText = rec(layout::ObjRefTxt).trimmed();
            break;
        case 4:
            o.kind = CardObject::Kind::Picture;
            readLook(rec, o);
            o.stretch = rec.number(layout::ObjUtseen) == 1;
            o.refText = rec(layout::ObjRefTxt).trimmed();
            break;
        default:
            continue;
        }
        card.objects.push_back(std::move(o));
    }
    return card;
}

std::vector<int> tabOrder(const std::vector<CardObject> &objects)
{
    std::array<int, 256> bySlot;
    bySlot.fill(-1);
    for (std::size_t i = 0; i < objects.size(); ++i) {
        const CardObject &o = objects[i];
        if (o.kind == CardObject::Kind::Field && o.tabNumber >= 1 && o.tabNumber <= 255)
            bySlot[static_cast<std::size_t>(o.tabNumber)] = static_cast<int>(i);
    }
    std::vector<int> order;
    for (int index : bySlot) {
        if (index >= 0)
            order.push_back(index);
    }
    return order;
}

bool hasCardControl(char fieldType)
{
    switch (fieldType) {
    case 'M': case 'C': case 'N': case 'F': case 'L': case 'D':
        return true;
    default:
        return false;
    }
}

QString cardEditMask(char fieldType, int length, int decimals, QChar decimalSeparator)
{
    switch (fieldType) {
    case 'N':
    case 'F': {
        QString body(length, QLatin1Char('#'));
        if (decimals > 0 && length - decimals >= 1)
            body[length - decimals - 1] = decimalSeparator;
        return QLatin1Char('!') + body + QStringLiteral(";1; ");
    }
    case 'L':
        return QStringLiteral("ccc;1; ");
    case 'D':
        return QStringLiteral("!99.99.9999;1; ");
    default:
        return {};
    }
}

std::uint32_t colourOfText(const QString &text)
{
    const std::optional<long long> v = integerOf(text);
    return v ? static_cast<std::uint32_t>(static_cast<unsigned long long>(*v) & 0xFFFFFFu) : 0u;
}

bool flagOfText(const QString &text)
{
    if (text.isEmpty())
        return false;
    const QChar c = text.at(0).toUpper();
    return c == QLatin1Char('J') || c == QLatin1Char('T') || c == QLatin1Char('Y');
}

std::uint32_t rgbOfColour(std::uint32_t bgr)
{
    return ((bgr & 0xFFu) << 16) | (bgr & 0xFF00u) | ((bgr >> 16) & 0xFFu);
}

QString picturePathOf(const QString &source, const QString &tableFolder)
{
    QString name = source.trimmed();
    name.replace(QLatin1Char('\\'), QLatin1Char('/'));
    const QString path = name.contains(QLatin1Char('/')) ? name : QDir(tableFolder).filePath(name);
    const QFileInfo info(path);
    if (info.exists())
        return path;
    // Names that differ only in case are the same file to these databases' users.
    const QDir dir = info.dir();
    for (const QString &entry : dir.entryList(QDir::Files)) {
        if (entry.compare(info.fileName(), Qt::CaseInsensitive) == 0)
            return dir.filePath(entry);
    }
    return path;
}

} // namespace kvilbo::cardview
