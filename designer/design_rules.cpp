#include "designer/design_rules.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <cmath>

namespace kvilbo::designer {

int snapTo(int v, int grid)
{
    if (grid < 2)
        return v;
    return static_cast<int>(std::lround(static_cast<double>(v) / grid)) * grid;
}

QRect keepReachable(QRect r, QSize surface)
{
    const int maxW = std::max(kMinimumSize, surface.width());
    const int maxH = std::max(kMinimumSize, surface.height());
    const int w = std::clamp(r.width(), kMinimumSize, maxW);
    const int h = std::clamp(r.height(), kMinimumSize, maxH);
    const int left = std::clamp(r.left(), 0, maxW - w);
    const int top = std::clamp(r.top(), 0, maxH - h);
    return QRect(left, top, w, h);
}

int nextNumber(const QStringList &names, const QString &prefix)
{
    int highest = 0;
    for (const QString &name : names) {
        if (!name.startsWith(prefix))
            continue;
        bool ok = false;
        const int n = name.mid(prefix.size()).toInt(&ok);
        if (ok)
            highest = std::max(highest, n);
    }
    return highest + 1;
}

int nextTabPosition(const QStringList &hints)
{
    int highest = 1;
    for (const QString &hint : hints) {
        bool ok = false;
        const int n = hint.trimmed().toInt(&ok);
        if (ok)
            highest = std::max(highest, n);
    }
    const int t = highest + 1;
    return t > kMaxTabPosition ? 0 : t;
}

QString fieldPlaceholder(int fieldNumber, const QString &fieldName)
{
    return QStringLiteral("[%1 %2]").arg(fieldNumber, 3, 10, QLatin1Char('0')).arg(fieldName.trimmed());
}

QString pictureSourceFor(const QString &chosenPath, const QString &tableFolder)
{
    const QFileInfo chosen(chosenPath.trimmed());
    const QString folder = QDir::cleanPath(chosen.absolutePath()).toUpper();
    const QString table = QDir::cleanPath(QFileInfo(tableFolder.trimmed()).absoluteFilePath()).toUpper();
    return folder == table ? chosen.fileName() : chosen.absoluteFilePath();
}

} // namespace kvilbo::designer
