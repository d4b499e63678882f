#pragma once

// Rules of the designer that need no window: the snap grid, keeping objects
// where the user can reach them, and the names and tab positions of new objects.

#include <QRect>
#include <QString>
#include <QStringList>

namespace kvilbo::designer {

/// The smallest width and height the designer lets an object shrink to.
inline constexpr int kMinimumSize = 4;
/// The highest tab position the designer gives a database field.
inline constexpr int kMaxTabPosition = 253;

/// v rounded to the nearest multiple of grid; unchanged when grid is below 2.
int snapTo(int v, int grid);

/// r moved and shrunk as little as possible so that it lies wholly inside a surface of
/// size surface (top-left at 0,0) and is at least kMinimumSize in each direction.
QRect keepReachable(QRect r, QSize surface);

/// 1 + the largest number that follows prefix in names (1 when none does).
int nextNumber(const QStringList &names, const QString &prefix);

/// The tab position of a new field: the largest integer among hints, at least 1, plus 1;
/// 0 when that passes kMaxTabPosition.
int nextTabPosition(const QStringList &hints);

/// The text a database field shows in design mode: "[" + three-digit number + " " + name + "]".
QString fieldPlaceholder(int fieldNumber, const QString &fieldName);

/// The picture source to store for a chosen file: the bare name when it lies in
/// tableFolder (compared trimmed and without regard to case), else the full path.
QString pictureSourceFor(const QString &chosenPath, const QString &tableFolder);

} // namespace kvilbo::designer
