#include "search/condition_list.h"

namespace kvilbo::search {
namespace {

constexpr QChar kQuote = u'"';
constexpr QChar kSeparator = u';';

bool isBlank(QChar ch)
{
    return ch.unicode() >= 1 && ch.unicode() <= 32;
}

// Reads a quoted item starting at the opening quote; pos ends after the closing one.
QString readQuoted(const QString &text, qsizetype &pos)
{
    QString item;
    ++pos;
    while (pos < text.size()) {
        const QChar ch = text.at(pos++);
        if (ch != kQuote) {
            item += ch;
            continue;
        }
        if (pos < text.size() && text.at(pos) == kQuote) {
            item += kQuote;
            ++pos;
            continue;
        }
        // The rest up to the next separator or blank belongs to the item.
        while (pos < text.size() && !isBlank(text.at(pos)) && text.at(pos) != kSeparator)
            item += text.at(pos++);
        break;
    }
    return item;
}

} // namespace

QStringList splitConditionList(const QString &text)
{
    QStringList items;
    qsizetype pos = 0;
    while (pos < text.size() && isBlank(text.at(pos)))
        ++pos;
    while (pos < text.size()) {
        if (text.at(pos) == kQuote) {
            items << readQuoted(text, pos);
        } else {
            const qsizetype start = pos;
            while (pos < text.size() && !isBlank(text.at(pos)) && text.at(pos) != kSeparator)
                ++pos;
            items << text.mid(start, pos - start);
        }
        while (pos < text.size() && isBlank(text.at(pos)))
            ++pos;
        if (pos < text.size() && text.at(pos) == kSeparator) {
            ++pos;
            if (pos == text.size())
                items << QString();
            while (pos < text.size() && isBlank(text.at(pos)))
                ++pos;
        }
    }
    return items;
}

QString quoteConditionItem(const QString &item)
{
    QString quoted = item;
    quoted.replace(kQuote, QStringLiteral("\"\""));
    return kQuote + quoted + kQuote;
}

QString joinConditionList(const QStringList &items)
{
    QStringList quoted;
    quoted.reserve(items.size());
    for (const QString &item : items)
        quoted << quoteConditionItem(item);
    return quoted.join(kSeparator);
}

} // namespace kvilbo::search
