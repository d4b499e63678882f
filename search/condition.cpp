#include "search/condition.h"

#include <QDate>

#include <array>
#include <utility>

namespace kvilbo::search {

Operator parseOperator(QStringView text)
{
    static const std::array<std::pair<const char16_t *, Operator>, 6> kOrder{{
        {u"=", Operator::Equal},
        {u"<>", Operator::NotEqual},
        {u"<=", Operator::LessEqual},
        {u">=", Operator::GreaterEqual},
        {u"<", Operator::Less},
        {u">", Operator::Greater},
    }};
    for (const auto &[start, op] : kOrder) {
        if (text.startsWith(QStringView(start)))
            return op;
    }
    return Operator::Invalid;
}

std::optional<double> parseNumber(QStringView text, QChar sep)
{
    text = text.trimmed();
    qsizetype pos = 0;
    if (pos < text.size() && (text.at(pos) == u'-' || text.at(pos) == u'+'))
        ++pos;
    bool digits = false;
    bool seenSep = false;
    for (; pos < text.size(); ++pos) {
        const QChar ch = text.at(pos);
        if (ch >= u'0' && ch <= u'9')
            digits = true;
        else if (ch == sep && !seenSep)
            seenSep = true;
        else
            return std::nullopt;
    }
    if (!digits)
        return std::nullopt;
    QString plain = text.toString();
    plain.replace(sep, u'.');
    bool ok = false;
    const double value = plain.toDouble(&ok);
    return ok ? std::optional<double>(value) : std::nullopt;
}

std::optional<int> parseDate(QStringView text)
{
    const auto part = [&](qsizetype from, qsizetype length) {
        bool ok = false;
        const int value = text.mid(from, length).trimmed().toInt(&ok);
        return ok ? value : 0;
    };
    if (text.size() < 10)
        return std::nullopt;
    const int day = part(0, 2);
    const int month = part(3, 2);
    const int year = part(6, 4);
    if (!QDate::isValid(year, month, day) || year < 1)
        return std::nullopt;
    return year * 10000 + month * 100 + day;
}

std::optional<char> normaliseLogical(QStringView text)
{
    if (text.isEmpty())
        return std::nullopt;
    const QChar first = text.at(0).toUpper();
    return (first == u'J' || first == u'T' || first == u'Y') ? 'T' : 'F';
}

Condition::Condition(char typ, Operator op, const QString &value, MatchOptions options, QChar sep)
    : m_type(typ), m_op(op), m_value(value), m_options(options), m_sep(sep),
      m_matcher(value, options.matchCase ? Qt::CaseSensitive : Qt::CaseInsensitive)
{
    if (typ == 'F' || typ == 'N')
        m_number = parseNumber(value, sep);
    else if (typ == 'D')
        m_date = parseDate(value);
    else if (typ == 'L')
        m_logical = normaliseLogical(value);
}

bool Condition::test(const QString &cell) const
{
    switch (m_type) {
    case 'C':
    case 'M':
        return testText(cell);
    case 'D':
        return testDate(cell);
    case 'F':
    case 'N':
        return testNumber(cell);
    case 'L':
        return testLogical(cell);
    default:
        return false;
    }
}

bool Condition::testText(const QString &cell) const
{
    if (m_op == Operator::NotEqual)
        return QString::compare(cell, m_value, Qt::CaseInsensitive) != 0;
    if (m_op != Operator::Equal)
        return false;
    const Qt::CaseSensitivity cs = m_options.matchCase ? Qt::CaseSensitive : Qt::CaseInsensitive;
    if (m_options.partialMatch)
        return m_matcher.indexIn(cell) >= 0;
    return QString::compare(cell, m_value, cs) == 0;
}

template <typename T>
bool Condition::compare(T x, T v) const
{
    switch (m_op) {
    case Operator::Equal: return x == v;
    case Operator::NotEqual: return x != v;
    case Operator::LessEqual: return x <= v;
    case Operator::GreaterEqual: return x >= v;
    case Operator::Less: return x < v;
    case Operator::Greater: return x > v;
    case Operator::Invalid: break;
    }
    return false;
}

bool Condition::testDate(const QString &cell) const
{
    if (!m_date)
        return false;
    const std::optional<int> x = parseDate(cell);
    return x && compare(*x, *m_date);
}

bool Condition::testNumber(const QString &cell) const
{
    if (!m_number)
        return false;
    return compare(parseNumber(cell, m_sep).value_or(0.0), *m_number);
}

bool Condition::testLogical(const QString &cell) const
{
    if (m_op != Operator::Equal || !m_logical)
        return false;
    const std::optional<char> x = normaliseLogical(cell);
    return x && *x == *m_logical;
}

} // namespace kvilbo::search
