#include "cardview/converters.h"

#include "cardview/decimal_text.h"


namespace kvilbo::cardview {

namespace {

const QString kDateEmpty = QStringLiteral("  .  .    ");

// A date part is digits only; anything else gives -1, which no check accepts. Reading
// an unreadable part as 0 would turn "0101xy" into the first day of the century base's
// year (a two-digit year 0 is a real year), storing a date the user never typed.
int datePart(const QString& text, qsizetype from, qsizetype count)
{
    const QString part = text.mid(from, count).trimmed();
    if (part.isEmpty())
        return -1;
    for (QChar c : part) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return -1;
    }
    return part.toInt();
}

int twoDigitYear(int part, int centuryBase)
{
    return part < 0 ? -1 : part + centuryBase;
}

bool isLeapYear(int year)
{
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int daysInMonth(int month, int year)
{
    switch (month) {
    case 2:
        return isLeapYear(year) ? 29 : 28;
    case 4:
    case 6:
    case 9:
    case 11:
        return 30;
    default:
        return 31;
    }
}

QChar decimalSeparator(int spraak)
{
    return spraak == kEngelsk ? QLatin1Char('.') : QLatin1Char(',');
}

// The forms a typed number may take once its separator is the language's: an optional
// sign, digits with at most one separator, an optional exponent. Words such as "inf"
// or "nan" that a general float reader accepts are not numbers a card field can hold.
// Checked by hand: the list view converts every numeric cell it shows or sorts, and a
// pattern compiled per call cost more than the conversion itself.
bool looksLikeNumber(const QString& text, QChar separator)
{
    const auto isDigit = [](QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); };
    qsizetype i = 0;
    const qsizetype n = text.size();
    if (i < n && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-')))
        ++i;
    qsizetype mantissaDigits = 0;
    while (i < n && isDigit(text[i])) {
        ++i;
        ++mantissaDigits;
    }
    if (i < n && text[i] == separator) {
        ++i;
        while (i < n && isDigit(text[i])) {
            ++i;
            ++mantissaDigits;
        }
    }
    if (mantissaDigits == 0)
        return false;
    if (i < n && (text[i] == QLatin1Char('e') || text[i] == QLatin1Char('E'))) {
        ++i;
        if (i < n && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-')))
            ++i;
        qsizetype exponentDigits = 0;
        while (i < n && isDigit(text[i])) {
            ++i;
            ++exponentDigits;
        }
        if (exponentDigits == 0)
            return false;
    }
    return i == n;
}

} // namespace

ConversionError::ConversionError(const QString& input)
    : std::runtime_error(QStringLiteral("\"%1\" is not a valid number").arg(input).toStdString())
    , m_input(input)
{
}

QString emptyDate()
{
    return kDateEmpty;
}

QString FreshDate(const QString& DatoStreng, int DefAarhundre)
{
    const QString text = DatoStreng.trimmed();
    const bool dot = text.contains(QLatin1Char('.'));
    int day = 0;
    int month = 0;
    int year = 0;
    if (text.size() == 6 && !dot) {
        day = datePart(text, 0, 2);
        month = datePart(text, 2, 2);
        year = twoDigitYear(datePart(text, 4, 2), DefAarhundre);
    } else if (text.size() == 8 && !dot) {
        day = datePart(text, 0, 2);
        month = datePart(text, 2, 2);
        year = datePart(text, 4, 4);
    } else if (text.size() == 8 && dot) {
        day = datePart(text, 0, 2);
        month = datePart(text, 3, 2);
        year = twoDigitYear(datePart(text, 6, 2), DefAarhundre);
    } else if (text.size() == 10 && dot) {
        day = datePart(text, 0, 2);
        month = datePart(text, 3, 2);
        year = datePart(text, 6, 4);
    } else {
        return kDateEmpty;
    }
    if (year < 1900 || year > 2178 || month < 1 || month > 12 || day < 1
        || day > daysInMonth(month, year))
        return kDateEmpty;
    return QStringLiteral("%1.%2.%3")
        .arg(day, 2, 10, QLatin1Char('0'))
        .arg(month, 2, 10, QLatin1Char('0'))
        .arg(year, 4, 10, QLatin1Char('0'));
}

double numberOf(const QString& tekst, int spraak)
{
    QString text = DeleteSpaces(tekst).trimmed();
    if (text.isEmpty())
        text = QStringLiteral("0");
    const QChar separator = decimalSeparator(spraak);
    text.replace(spraak == kEngelsk ? QLatin1Char(',') : QLatin1Char('.'), separator);
    if (!looksLikeNumber(text, separator))
        throw ConversionError(tekst);
    bool ok = false;
    const double value = text.replace(separator, QLatin1Char('.')).toDouble(&ok);
    if (!ok || !qIsFinite(value))
        throw ConversionError(tekst);
    return value;
}

QString FreshNum(const QString& tekst, int flen, int fdes, int spraak)
{
    // The field length only bounds the optional digits of the picture, and optional
    // digits never cut a number short; the display therefore does not depend on it.
    Q_UNUSED(flen);
    const double value = numberOf(tekst, spraak);
    const QChar separator = decimalSeparator(spraak);
    return fdes > 0 ? fixedText(value, fdes, separator) : generalText(value, separator);
}

QString FreshLog(const QString& LogiskInn, int spraak)
{
    bool yes = false;
    if (!LogiskInn.isEmpty()) {
        const QChar first = LogiskInn.at(0).toUpper();
        yes = first == QLatin1Char('J') || first == QLatin1Char('T') || first == QLatin1Char('Y');
    }
    if (spraak == kEngelsk)
        return yes ? QStringLiteral("Yes") : QStringLiteral("No ");
    return yes ? QStringLiteral("Ja ") : QStringLiteral("Nei");
}

QString DeleteSpaces(const QString& Str)
{
    QString result = Str;
    result.remove(QLatin1Char(' '));
    return result;
}

qint32 CRC1(const QString& text, bool zerobased)
{
    Q_UNUSED(zerobased);
    quint32 sum = 0;
    for (QChar c : text)
        sum += c.unicode();
    return static_cast<qint32>(sum);
}

} // namespace kvilbo::cardview
