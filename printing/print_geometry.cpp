#include "printing/print_geometry.h"

#include <algorithm>
#include <cmath>

namespace kvilbo::printing {

QRect cardBodyRect(int paperWidth, int paperHeight)
{
    return QRect(QPoint(1000, 2000), QPoint(paperWidth - 1500, paperHeight - 2000));
}

int linesPerPage(int paperHeight, int lineHeight)
{
    if (lineHeight <= 0)
        return 1;
    return std::max(1, (paperHeight - 3500) / lineHeight);
}

std::vector<ListColumn> listColumns(const std::vector<ListColumnRecord>& records,
                                    const std::function<char(int)>& typeOf)
{
    std::vector<ListColumn> columns;
    int x = kListLeft;
    for (const ListColumnRecord& record : records) {
        if (record.widthMm <= 0)
            continue;
        ListColumn column;
        column.feltNr = record.feltNr;
        column.heading = record.heading;
        column.width = record.widthMm * kUnitsPerMm;
        column.x = x;
        const char type = typeOf ? typeOf(record.feltNr) : 'C';
        column.alignment = (type == 'N' || type == 'F') ? 1 : 0;
        columns.push_back(column);
        x += column.width + kUnitsPerMm;
    }
    return columns;
}

int usedWidthMm(const std::vector<ListColumnRecord>& records)
{
    int sum = 0;
    for (const ListColumnRecord& record : records) {
        if (record.widthMm > 0)
            sum += record.widthMm + 1;
    }
    return sum;
}

QColor lighterShade(const QColor& colour)
{
    float h = 0, s = 0, l = 0;
    colour.getHslF(&h, &s, &l);
    l = std::min(1.0f, l + (1.0f - l) * 75.0f / 1000.0f);
    return QColor::fromHslF(h < 0 ? 0 : h, s, l).toRgb();
}

QColor colourFromBgr(std::uint32_t bgr)
{
    return QColor(int(bgr & 0xFF), int((bgr >> 8) & 0xFF), int((bgr >> 16) & 0xFF));
}

std::uint32_t bgrFromColour(const QColor& colour)
{
    return std::uint32_t(colour.red()) | (std::uint32_t(colour.green()) << 8)
        | (std::uint32_t(colour.blue()) << 16);
}

int pointsToUnits(double points)
{
    return int(std::lround(points * 2540.0 / 72.0));
}

QFont documentFont(const FontSpec& fontSpec)
{
    QFont font(fontSpec.name.isEmpty() ? QStringLiteral("Arial") : fontSpec.name);
    font.setPixelSize(std::max(1, pointsToUnits(fontSpec.size > 0 ? fontSpec.size : 8)));
    font.setBold(fontSpec.bold);
    font.setItalic(fontSpec.italic);
    font.setUnderline(fontSpec.underline);
    return font;
}

QRect LabelGeometry::box(int index) const
{
    const int columns = std::max(1, sheet.columns);
    const int i = (index % std::max(1, perSheet())) / columns;
    const int j = index % columns;
    const int left = sheet.left * kUnitsPerMm + 1 + j * (labelWidth + sheet.hgap * kUnitsPerMm);
    const int top = sheet.top * kUnitsPerMm + 1 + i * (labelHeight + sheet.vgap * kUnitsPerMm);
    return QRect(left, top, labelWidth, labelHeight);
}

LabelGeometry labelGeometry(const LabelSheet& sheet, int paperWidth, int paperHeight)
{
    LabelGeometry g;
    g.sheet = sheet;
    // A sheet of no rows or columns cannot be laid out; the window never offers one,
    // but a damaged layout record can hold it.
    g.sheet.rows = std::max(1, sheet.rows);
    g.sheet.columns = std::max(1, sheet.columns);
    const int u = kUnitsPerMm;
    g.labelWidth = (paperWidth - sheet.left * u - sheet.right * u
                    - (g.sheet.columns - 1) * sheet.hgap * u)
        / g.sheet.columns;
    g.labelHeight = (paperHeight - sheet.top * u - sheet.bottom * u
                     - (g.sheet.rows - 1) * sheet.vgap * u)
        / g.sheet.rows;
    return g;
}

LabelInfo labelInfo(const LabelSheet& sheet)
{
    LabelInfo info;
    const int columns = std::max(1, sheet.columns);
    const int rows = std::max(1, sheet.rows);
    info.perSheet = sheet.columns * sheet.rows;
    info.widthMm = (210 - sheet.left - sheet.right - (columns - 1) * sheet.hgap) / columns;
    info.heightMm = (297 - sheet.top - sheet.bottom - (rows - 1) * sheet.vgap) / rows;
    return info;
}

} // namespace kvilbo::printing
