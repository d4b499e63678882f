#include "listview/list_model.h"

#include "cardview/converters.h"
#include "engine/dbf_table.h"

#include <cmath>

namespace kvilbo::listview {

namespace {

QString storedDate(const QString &verdi, int DefAarHundre)
{
    const QString d = cardview::FreshDate(verdi, DefAarHundre);
    if (d == cardview::emptyDate())
        return QString(8, QLatin1Char(' '));
    return d.mid(6, 4) + d.mid(3, 2) + d.left(2);
}

QString storedNumber(const QString &verdi, int len, int des, int spraak)
{
    QString t = cardview::DeleteSpaces(verdi).trimmed();
    // Only the language's separator is a decimal point here.
    if (spraak == 1 && t.contains(QLatin1Char(',')))
        t.clear();
    t.replace(QLatin1Char(','), QLatin1Char('.'));
    bool ok = false;
    double v = t.toDouble(&ok);
    if (!ok)
        v = 0; // an unreadable text counts as 0
    const double unit = std::pow(10.0, -des);
    const double max = des == 0 ? std::pow(10.0, len) - 1 : std::pow(10.0, len - des - 1) - unit;
    const double min = des == 0 ? -(std::pow(10.0, len - 1) - 1) : -(std::pow(10.0, std::max(0, len - des - 2)) - unit);
    if (v > max || v < min || !std::isfinite(v))
        return {}; // out of range: stored blank
    QString s = QString::number(v, 'f', des);
    if (s.startsWith(QLatin1String("-")) && s.mid(1).toDouble() == 0)
        s.remove(0, 1);
    return s;
}

QString storedLogical(const QString &verdi)
{
    if (verdi.isEmpty())
        return QStringLiteral("F");
    return QStringLiteral("JTYjty").contains(verdi[0]) ? QStringLiteral("T") : QStringLiteral("F");
}

QString storedTime(const QString &verdi)
{
    if (verdi.size() != 8)
        return {};
    bool h = false, m = false, s = false;
    const int hh = verdi.left(2).toInt(&h), mm = verdi.mid(3, 2).toInt(&m), ss = verdi.mid(6, 2).toInt(&s);
    if (!h || !m || !s || hh < 0 || hh > 23 || mm < 0 || mm > 59 || ss < 0 || ss > 59)
        return {};
    return verdi.left(2) + verdi.mid(3, 2) + verdi.mid(6, 2);
}

} // namespace

void defaultCommit(engine::TDbfTable &DBF, int feltNr, const QString &verdi, const ListOptions &options)
{
    const engine::TdbField f = DBF.GetField(feltNr);
    QString stored;
    switch (f.what) {
    case 'C': stored = verdi.left(f.len); break;
    case 'D': stored = storedDate(verdi, options.DefAarHundre); break;
    case 'N':
    case 'F': stored = storedNumber(verdi, f.len, f.places, options.spraak); break;
    case 'L': stored = storedLogical(verdi); break;
    case 'T': stored = storedTime(verdi); break;
    default: break; // memo text is never written this way
    }
    DBF.Store(DBF.FieldName(feltNr), stored.toStdString());
    DBF.Write(false);
}

} // namespace kvilbo::listview
