#include "designer/property_grid.h"

#include "core/messages.h"

#include <optional>

namespace kvilbo::designer {

namespace {

struct RowDef {
    int keyText;
    RowStyle style;
    bool readOnly;
    int maxDigits;
};

// The rows as they are made: key text, editor style, typing, mask digits.
constexpr std::array<RowDef, kRowCount> kDefs = {{
    {2800, RowStyle::Simple, true, 0},    {2801, RowStyle::Simple, true, 0},
    {2802, RowStyle::Simple, true, 0},    {2803, RowStyle::Simple, true, 0},
    {2804, RowStyle::Simple, false, 4},   {2805, RowStyle::Simple, false, 4},
    {2806, RowStyle::Simple, false, 4},   {2807, RowStyle::Simple, false, 4},
    {2808, RowStyle::PickList, true, 0},  {2809, RowStyle::Simple, false, 3},
    {2810, RowStyle::PickList, true, 0},  {2811, RowStyle::PickList, true, 0},
    {2812, RowStyle::PickList, true, 0},  {2813, RowStyle::PickList, true, 0},
    {2814, RowStyle::Ellipsis, true, 0},  {2815, RowStyle::Ellipsis, true, 0},
    {2816, RowStyle::PickList, true, 0},  {2820, RowStyle::PickList, true, 0},
    {2817, RowStyle::Simple, false, 3},   {2818, RowStyle::PickList, true, 0},
    {2819, RowStyle::Ellipsis, false, 0},
}};

std::optional<long long> integerOf(const QString &text)
{
    bool ok = false;
    const long long v = text.trimmed().toLongLong(&ok);
    return ok ? std::optional<long long>(v) : std::nullopt;
}

int intOr(const QString &text, int fallback)
{
    const auto v = integerOf(text);
    return v && *v >= -99999 && *v <= 99999 ? static_cast<int>(*v) : fallback;
}

std::uint32_t colourOf(const QString &row, const QString &value)
{
    const auto v = integerOf(value);
    if (!v)
        throw ColourValueError("\"" + value.toStdString() + "\" in \"" + row.toStdString()
                               + "\" is not a valid colour value");
    return static_cast<std::uint32_t>(static_cast<unsigned long long>(*v) & 0xFFFFFFu);
}

QString typeName(ObjectKind kind)
{
    switch (kind) {
    case ObjectKind::Background: return QStringLiteral("Background");
    case ObjectKind::TextBox: return QStringLiteral("TextBox");
    case ObjectKind::Picture: return QStringLiteral("Picture");
    case ObjectKind::DatabaseField: return QStringLiteral("DatabaseField");
    case ObjectKind::Editor: return QStringLiteral("TextBox(editor)");
    }
    return {};
}

} // namespace

PropertyGrid::PropertyGrid(const core::Texts &texts, QStringList fonts) : m_texts(texts), m_fonts(std::move(fonts))
{
    for (int i = 0; i < kRowCount; ++i)
        m_rows[i] = {kDefs[i].keyText, kDefs[i].style, kDefs[i].readOnly, kDefs[i].maxDigits, {}};
}

QString PropertyGrid::text(int n) const
{
    return QString::fromStdString(m_texts.ss(n));
}

QString PropertyGrid::notUsed() const
{
    return QLatin1Char('<') + text(2830) + QLatin1Char('>');
}

QString PropertyGrid::key(Row r) const
{
    return text(row(r).keyText);
}

int PropertyGrid::rowOfKey(const QString &k) const
{
    for (int i = 0; i < kRowCount; ++i) {
        if (text(m_rows[i].keyText) == k)
            return i;
    }
    return -1;
}

QStringList PropertyGrid::pickList(Row r) const
{
    switch (r) {
    case Row::FontNavn: return m_fonts;
    case Row::Justering: return {text(2850), text(2851), text(2852)};
    default: return row(r).style == RowStyle::PickList ? QStringList{nei(), ja()} : QStringList{};
    }
}

QString PropertyGrid::alignText(ObjectAlign a) const
{
    switch (a) {
    case ObjectAlign::Right: return text(2852);
    case ObjectAlign::Centre: return text(2851);
    default: return text(2850);
    }
}

void PropertyGrid::set(Row r, QString value, RowStyle style, bool readOnly)
{
    PropertyRow &row = m_rows[index(r)];
    row.value = std::move(value);
    row.style = style;
    row.readOnly = readOnly;
}

void PropertyGrid::fill(const DesignObject &o)
{
    // A row that does not apply cannot be edited: its value would go nowhere.
    for (int i = 0; i < kRowCount; ++i)
        set(static_cast<Row>(i), notUsed(), RowStyle::Simple, true);
    auto as = [this](Row r, QString value) {
        set(r, std::move(value), kDefs[index(r)].style, kDefs[index(r)].readOnly);
    };
    const bool background = o.kind == ObjectKind::Background;
    as(Row::Navn, background ? QStringLiteral("Background") : o.name);
    as(Row::Type, typeName(o.kind));
    if (background) {
        as(Row::FargeBakgrunn, QString::number(o.backgroundColour));
        return;
    }
    as(Row::Venstre, QString::number(o.left));
    as(Row::Topp, QString::number(o.top));
    as(Row::Hoyde, QString::number(o.height));
    as(Row::Bredde, QString::number(o.width));
    if (o.kind == ObjectKind::Picture) {
        as(Row::BildeOriginal, flag(!o.stretch));
        as(Row::BildeFilnavn, o.hint.trimmed());
        return;
    }
    as(Row::FontNavn, o.fontName);
    as(Row::FontStorrelse, QString::number(o.fontSize));
    as(Row::FontUthevet, flag(o.bold));
    as(Row::FontKursiv, flag(o.italic));
    as(Row::FontUnderstreket, flag(o.underline));
    as(Row::Justering, alignText(o.align));
    as(Row::FargeTekst, QString::number(o.textColour));
    as(Row::FargeBakgrunn, QString::number(o.backgroundColour));
    if (o.kind == ObjectKind::TextBox) {
        set(Row::Tekst, o.text, RowStyle::Simple, false);
        as(Row::Transparent, flag(o.transparent));
    } else {
        as(Row::FeltNr, QString::number(o.fieldNumber));
        as(Row::Ramme, flag(o.border));
        as(Row::TabRekkefolge, o.hint.trimmed());
    }
}

void PropertyGrid::applyGeometry(DesignObject &o) const
{
    o.left = intOr(row(Row::Venstre).value, 10);
    o.top = intOr(row(Row::Topp).value, 10);
    o.height = intOr(row(Row::Hoyde).value, 100);
    o.width = intOr(row(Row::Bredde).value, 100);
}

void PropertyGrid::applyLook(DesignObject &o) const
{
    const QString align = row(Row::Justering).value;
    if (align == text(2850))
        o.align = ObjectAlign::Left;
    else if (align == text(2852))
        o.align = ObjectAlign::Right;
    else if (align == text(2851))
        o.align = ObjectAlign::Centre;
    o.fontName = row(Row::FontNavn).value.trimmed();
    o.fontSize = intOr(row(Row::FontStorrelse).value, 8);
    o.bold = row(Row::FontUthevet).value == ja();
    o.italic = row(Row::FontKursiv).value == ja();
    o.underline = row(Row::FontUnderstreket).value == ja();
    o.textColour = colourOf(key(Row::FargeTekst), row(Row::FargeTekst).value);
    o.backgroundColour = colourOf(key(Row::FargeBakgrunn), row(Row::FargeBakgrunn).value);
}

void PropertyGrid::apply(DesignObject &o) const
{
    switch (o.kind) {
    case ObjectKind::Background:
        o.backgroundColour = colourOf(key(Row::FargeBakgrunn), row(Row::FargeBakgrunn).value);
        break;
    case ObjectKind::TextBox:
        o.text = row(Row::Tekst).value;
        applyGeometry(o);
        applyLook(o);
        o.transparent = row(Row::Transparent).value == ja();
        break;
    case ObjectKind::Picture:
        applyGeometry(o);
        o.stretch = row(Row::BildeOriginal).value != ja();
        o.hint = row(Row::BildeFilnavn).value.trimmed();
        break;
    case ObjectKind::DatabaseField:
    case ObjectKind::Editor:
        o.border = row(Row::Ramme).value == ja();
        applyGeometry(o);
        applyLook(o);
        o.hint = row(Row::TabRekkefolge).value.trimmed();
        break;
    }
}

QString PropertyGrid::corrected(Row r, const QString &value)
{
    const auto v = integerOf(value);
    switch (r) {
    case Row::FontStorrelse:
        return v && *v >= 6 && *v <= 99 ? value : QStringLiteral("10");
    case Row::Hoyde:
    case Row::Bredde:
        return v && *v > 0 ? value : QStringLiteral("10");
    case Row::TabRekkefolge:
        return v && *v >= 0 && *v <= 253 ? value : QStringLiteral("0");
    default:
        return value;
    }
}

} // namespace kvilbo::designer
