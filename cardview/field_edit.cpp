#include "cardview/field_edit.h"

#include "cardview/converters.h"
#include "cardview/decimal_text.h"
#include "engine/dbf_table.h"

#include <algorithm>

namespace kvilbo::cardview {

namespace {

QString storedDate(const QString &verdi, int DefAarHundre)
{
    const QString d = FreshDate(verdi, DefAarHundre);
    if (d == emptyDate())
        return QString(8, QLatin1Char(' '));
    return d.mid(6, 4) + d.mid(3, 2) + d.left(2);
}

QString nines(int count)
{
    return QString(std::max(0, count), QLatin1Char('9'));
}

// The limits are built as texts and read back, so that a limit and a typed value
// equal to it are the same double and compare equal.
QString storedNumber(const QString &verdi, int L, int D, int spraak)
{
    const double value = numberOf(verdi, spraak);
    const QString largest = D == 0 ? nines(L) : nines(L - D - 1) + QLatin1Char('.') + nines(D);
    const QString smallest = D == 0 ? QLatin1Char('-') + nines(L - 1)
                                    : QLatin1Char('-') + nines(L - D - 2) + QLatin1Char('.') + nines(D);
    const double max = largest.toDouble();
    const double min = smallest.toDouble();
    if (value > max || value < min)
        return {};
    QString text = fixedText(value, D, QLatin1Char('.'));
    if (text.endsWith(QLatin1Char('.')))
        text.chop(1);
    if (text.startsWith(QLatin1Char('-')) && text.mid(1).toDouble() == 0.0)
        text.remove(0, 1);
    if (text.size() > L)
        return {};
    return text.rightJustified(L, QLatin1Char(' '));
}

QString storedLogical(const QString &verdi)
{
    if (verdi.isEmpty())
        return QStringLiteral("F");
    const QChar c = verdi.at(0).toUpper();
    return c == QLatin1Char('J') || c == QLatin1Char('T') || c == QLatin1Char('Y') ? QStringLiteral("T")
                                                                                     : QStringLiteral("F");
}

int twoDigits(const QString &text, int from)
{
    const QString part = text.mid(from, 2);
    if (part.size() != 2 || !part.at(0).isDigit() || !part.at(1).isDigit())
        return -1;
    return part.toInt();
}

QString storedTime(const QString &verdi)
{
    if (verdi.size() != 8)
        return {};
    const int h = twoDigits(verdi, 0), m = twoDigits(verdi, 3), s = twoDigits(verdi, 6);
    if (h < 0 || h > 23 || m < 0 || m > 59 || s < 0 || s > 59)
        return {};
    return verdi.mid(0, 2) + verdi.mid(3, 2) + verdi.mid(6, 2);
}

QString yesNo(bool yes, int spraak)
{
    if (spraak == kEngelsk)
        return yes ? QStringLiteral("Yes") : QStringLiteral("No ");
    return yes ? QStringLiteral("Ja ") : QStringLiteral("Nei");
}

} // namespace

QChar decimalSeparatorOf(int spraak)
{
    return spraak == kEngelsk ? QLatin1Char('.') : QLatin1Char(',');
}

QString normalisedText(char fieldType, const QString &text, int length, int decimals, const EditOptions &options)
{
    switch (fieldType) {
    case 'N':
    case 'F':
        return FreshNum(text, length, decimals, options.spraak);
    case 'D':
        return FreshDate(text, options.DefAarHundre);
    case 'L': {
        const QChar first = text.isEmpty() ? QChar() : text.at(0).toUpper();
        return yesNo(first == (options.spraak == kEngelsk ? QLatin1Char('Y') : QLatin1Char('J')), options.spraak);
    }
    default:
        return text;
    }
}

QString storedText(char fieldType, const QString &verdi, int length, int decimals, const EditOptions &options)
{
    switch (fieldType) {
    case 'C':
        return verdi.left(length).leftJustified(length, QLatin1Char(' '));
    case 'D':
        return storedDate(verdi, options.DefAarHundre);
    case 'N':
    case 'F':
        return storedNumber(verdi, length, decimals, options.spraak);
    case 'L':
        return storedLogical(verdi);
    case 'T':
        return storedTime(verdi);
    default:
        return {};
    }
}

void repl(engine::TDbfTable &DBF, int feltnr, const QString &verdi, const EditOptions &options)
{
    const int recNo = DBF.RecNo();
    const engine::TdbField f = DBF.GetField(feltnr);
    // A memo field's record bytes are its block pointer: blanking them would cut the
    // record off from its text. Memo text goes through MemoWrite instead.
    if (f.what == 'M' || f.what == 0)
        return;
    const QString stored = storedText(f.what, verdi, f.len, f.places, options);
    DBF.Go(recNo);
    DBF.Store(DBF.FieldName(feltnr), stored.toStdString());
    DBF.Write(false);
}

bool acceptNumericKey(QChar ch, const QString &text, int selStart, int selLength, QChar decSep)
{
    if ((ch >= QLatin1Char('0') && ch <= QLatin1Char('9')) || ch == decSep)
        return true;
    if (ch != QLatin1Char('-'))
        return false;
    const bool allSelected = selLength > 0 && selLength == text.size();
    return allSelected || (selStart == 0 && !text.contains(QLatin1Char('-')));
}

std::optional<QString> logicalKeyText(QChar key, const QString &text, int spraak)
{
    const bool english = spraak == kEngelsk;
    const QChar k = key.toUpper();
    if (key == QLatin1Char('\b') || k == QLatin1Char('N'))
        return yesNo(false, spraak);
    if (k == (english ? QLatin1Char('Y') : QLatin1Char('J')))
        return yesNo(true, spraak);
    if (key == QLatin1Char(' ')) {
        const bool startsWithN = !text.isEmpty() && text.at(0).toUpper() == QLatin1Char('N');
        return yesNo(startsWithN, spraak);
    }
    return std::nullopt;
}

FieldEditLogic::FieldEditLogic(engine::TDbfTable &DBF, EditOptions options) : m_DBF(DBF), m_options(options) {}

void FieldEditLogic::StackStart(int feltNr, const QString &text)
{
    m_stack.crcEnter = CRC1(text, false);
    m_stack.Verdi = text;
    m_stack.KortNr = m_DBF.RecNo();
    m_stack.KortNr2 = 0;
    m_stack.FeltNr = feltNr;
    m_stack.FeltNr2 = 0;
    m_stack.crcExit = 0;
}

bool FieldEditLogic::changed(int feltNr, const QString &text)
{
    m_stack.crcExit = CRC1(text, false);
    m_stack.Verdi2 = text;
    m_stack.KortNr2 = m_DBF.RecNo();
    m_stack.FeltNr2 = feltNr;
    if (m_stack.KortNr2 != m_stack.KortNr || m_stack.FeltNr2 != m_stack.FeltNr || m_stack.KortNr == 0)
        return false;
    // The texts decide: a checksum is a sum, so "12" and "21" share one.
    return m_stack.Verdi2 != m_stack.Verdi;
}

std::optional<QString> FieldEditLogic::StackEnd(int feltNr, const QString &text)
{
    if (!changed(feltNr, text))
        return std::nullopt;
    const engine::TdbField f = m_DBF.GetField(feltNr);
    const QString shown = normalisedText(f.what, text, f.len, f.places, m_options);
    if (m_hooks.busy)
        m_hooks.busy();
    m_DBF.Go(m_stack.KortNr2);
    repl(m_DBF, feltNr, shown, m_options);
    if (m_hooks.written)
        m_hooks.written(m_stack.KortNr2, feltNr);
    return shown;
}

bool FieldEditLogic::StackEndMemo(int feltNr, const QString &text)
{
    if (!changed(feltNr, text))
        return false;
    if (m_hooks.busy)
        m_hooks.busy();
    m_DBF.Go(m_stack.KortNr2);
    m_DBF.MemoWrite(static_cast<std::uint16_t>(feltNr), text.toStdString());
    if (m_hooks.written)
        m_hooks.written(m_stack.KortNr2, feltNr);
    return true;
}

} // namespace kvilbo::cardview
