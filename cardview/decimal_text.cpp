#include "cardview/decimal_text.h"

#include <QLocale>

#include <cmath>

namespace kvilbo::cardview {

namespace {

// A non-negative number as decimal digits: value = 0.d1d2...dn * 10^pointPos.
// Rounding works on these digits rather than on the binary double, so that 2,675
// typed by the user shows as 2,68 the way it reads, not 2,67 as its binary value
// would round.
struct Digits {
    QString digits; // no leading or trailing zeros; empty for zero
    int pointPos = 0;
};

Digits shortestDigits(double magnitude)
{
    const QString e = QString::number(magnitude, 'e', QLocale::FloatingPointShortest);
    const qsizetype ePos = e.indexOf(QLatin1Char('e'));
    Digits d;
    d.digits = e.left(ePos).remove(QLatin1Char('.'));
    d.pointPos = e.mid(ePos + 1).toInt() + 1;
    while (d.digits.endsWith(QLatin1Char('0')))
        d.digits.chop(1);
    return d;
}

// Keeps the first `keep` digits, rounding the rest half away from zero.
Digits roundDigits(Digits d, qsizetype keep)
{
    if (keep >= d.digits.size())
        return d;
    if (keep < 0)
        return {};
    const bool up = d.digits.at(keep) >= QLatin1Char('5');
    d.digits.truncate(keep);
    if (up) {
        qsizetype i = d.digits.size() - 1;
        while (i >= 0 && d.digits.at(i) == QLatin1Char('9'))
            d.digits[i--] = QLatin1Char('0');
        if (i >= 0) {
            d.digits[i] = QChar(d.digits.at(i).unicode() + 1);
        } else {
            d.digits.prepend(QLatin1Char('1'));
            ++d.pointPos;
        }
    }
    while (d.digits.endsWith(QLatin1Char('0')))
        d.digits.chop(1);
    if (d.digits.isEmpty())
        d.pointPos = 0;
    return d;
}

QChar digitAt(const Digits& d, qsizetype index)
{
    return index >= 0 && index < d.digits.size() ? d.digits.at(index) : QLatin1Char('0');
}

// A value that rounds to zero shows no minus: "-0,00" would tell the user of a
// negative amount that is not there.
QString withSign(double value, const Digits& d, const QString& text)
{
    return value < 0 && !d.digits.isEmpty() ? QLatin1Char('-') + text : text;
}

} // namespace

QString fixedText(double value, int decimals, QChar separator)
{
    const Digits exact = shortestDigits(std::fabs(value));
    const Digits d = roundDigits(exact, exact.pointPos + decimals);
    QString text;
    if (d.pointPos <= 0)
        text = QStringLiteral("0");
    for (qsizetype i = 0; i < d.pointPos; ++i)
        text += digitAt(d, i);
    text += separator;
    for (qsizetype i = 0; i < decimals; ++i)
        text += digitAt(d, d.pointPos + i);
    return withSign(value, d, text);
}

QString generalText(double value, QChar separator)
{
    const Digits d = roundDigits(shortestDigits(std::fabs(value)), 15);
    if (d.digits.isEmpty())
        return QStringLiteral("0");
    const int exponent = d.pointPos - 1;
    QString text;
    if (exponent >= 15 || exponent < -5) {
        text = d.digits.left(1);
        if (d.digits.size() > 1)
            text += separator + d.digits.mid(1);
        text += QStringLiteral("E%1").arg(exponent);
    } else {
        if (d.pointPos <= 0)
            text = QStringLiteral("0");
        for (qsizetype i = 0; i < d.pointPos; ++i)
            text += digitAt(d, i);
        if (d.digits.size() > d.pointPos) {
            text += separator;
            for (qsizetype i = d.pointPos; i < d.digits.size(); ++i)
                text += digitAt(d, i);
        }
    }
    return withSign(value, d, text);
}

} // namespace kvilbo::cardview
