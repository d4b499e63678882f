#pragma once

// Page geometry of the print jobs in document units of 0.01 mm, measured
// from the top-left corner of the paper.

#include "printing/print_settings.h"

#include <QColor>
#include <QFont>
#include <QRect>
#include <QString>

#include <functional>
#include <vector>

namespace kvilbo::printing {

/// Document units per millimetre.
inline constexpr int kUnitsPerMm = 100;
/// Top of the first list line below its heading line.
inline constexpr int kListTop = 2000;
/// Left edge of the first list column.
inline constexpr int kListLeft = 1000;

/// The body rectangle of a card page: 10 mm left, 20 mm top, 15 mm right, 20 mm bottom.
QRect cardBodyRect(int paperWidth, int paperHeight);

/// Lines of a list page for line height h: trunc((PH - 3500) / h), at least 1.
int linesPerPage(int paperHeight, int lineHeight);

/// One printed list column.
struct ListColumn {
    int feltNr = 0;
    QString heading;
    int x = 0;
    int width = 0;
    /// 0 left, 1 right (numbers).
    int alignment = 0;
};

/// The kept columns (width above 0) placed 1 mm apart from x = 1000; typeOf(feltNr) gives the type letter.
std::vector<ListColumn> listColumns(const std::vector<ListColumnRecord>& records,
                                    const std::function<char(int)>& typeOf);

/// Used width in mm: the sum of (width + 1) over the columns wider than 0.
int usedWidthMm(const std::vector<ListColumnRecord>& records);

/// The lighter shade of even list lines: luminance raised 75 parts per thousand of the rest.
QColor lighterShade(const QColor& colour);

/// A colour stored as 0x00BBGGRR.
QColor colourFromBgr(std::uint32_t bgr);
/// 0x00BBGGRR of a colour.
std::uint32_t bgrFromColour(const QColor& colour);

/// The font in document units: its pixel size is the point size in 0.01 mm.
QFont documentFont(const FontSpec& fontSpec);
/// Document units of a point size.
int pointsToUnits(double points);

/// Label boxes of one sheet in document units.
struct LabelGeometry {
    LabelSheet sheet;
    int labelWidth = 0;
    int labelHeight = 0;
    /// Labels on one sheet.
    int perSheet() const { return sheet.rows * sheet.columns; }
    /// The box of the label at index (row by row) on its sheet.
    QRect box(int index) const;
};

/// The label geometry on a paper of paperWidth x paperHeight units; rows and columns at least 1.
LabelGeometry labelGeometry(const LabelSheet& sheet, int paperWidth, int paperHeight);

/// The label size in whole mm on an A4 sheet, as the settings window shows it.
struct LabelInfo {
    int perSheet = 0;
    int widthMm = 0;
    int heightMm = 0;
};

/// KalkeLabels's figures for a sheet on A4 (210 x 297 mm).
LabelInfo labelInfo(const LabelSheet& sheet);

} // namespace kvilbo::printing
