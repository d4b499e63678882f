#pragma once

// One field condition of the matcher (field type, operator, value) tested
// against a cell's display text. The value is read once, when the condition
// is made, so testing a million cells converts only the cells.
//
// Rules beyond the plain comparisons:
// - a date that is empty or not a calendar date, in the cell or as the value,
//   makes the condition false whatever the operator;
// - a logical condition with an empty value, or on an empty cell, is false;
// - a numeric cell that is not a number counts as 0, a numeric value that is
//   not a number makes the condition false.

#include <QString>
#include <QStringMatcher>
#include <QStringView>

#include <optional>

namespace kvilbo::search {

/// The operators, recognised in this order by the start of the operator text.
enum class Operator { Equal, NotEqual, LessEqual, GreaterEqual, Less, Greater, Invalid };

/// The operator an operator text starts with, Invalid when none.
Operator parseOperator(QStringView text);

/// How text conditions compare.
struct MatchOptions {
    bool partialMatch = false; ///< the value may stand anywhere inside the field
    bool matchCase = false;    ///< upper and lower case must agree
};

/// A number in the language's form ("-12,5" with sep ','), blanks around allowed.
std::optional<double> parseNumber(QStringView text, QChar sep);
/// A dd.mm.yyyy date as yyyymmdd, or nothing when it is not a calendar date.
std::optional<int> parseDate(QStringView text);
/// A logical value's first character as 'T' (J, T, Y in either case) or 'F'; nothing when empty.
std::optional<char> normaliseLogical(QStringView text);

class Condition {
public:
    /// A condition on a field of type letter typ; sep is the language's decimal separator.
    Condition(char typ, Operator op, const QString &value, MatchOptions options, QChar sep);

    /// True when the cell text meets the condition; never throws.
    bool test(const QString &cell) const;
    /// The field type letter.
    char type() const { return m_type; }

private:
    bool testText(const QString &cell) const;
    bool testDate(const QString &cell) const;
    bool testNumber(const QString &cell) const;
    bool testLogical(const QString &cell) const;
    template <typename T>
    bool compare(T x, T v) const;

    char m_type;
    Operator m_op;
    QString m_value;
    MatchOptions m_options;
    QChar m_sep;
    QStringMatcher m_matcher; // the value, for partial text matches
    std::optional<double> m_number;
    std::optional<int> m_date;
    std::optional<char> m_logical;
};

} // namespace kvilbo::search
