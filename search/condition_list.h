#pragma once

// The condition lists the matcher takes: items separated by ";", an item in
// double quotes may hold ";" and blanks, and a doubled quote inside quotes
// stands for one quote character (so any value can travel unchanged).

#include <QString>
#include <QStringList>

namespace kvilbo::search {

/// Splits a condition list into its items.
QStringList splitConditionList(const QString &text);
/// One item in quotes, inner quotes doubled, so splitConditionList gives it back unchanged.
QString quoteConditionItem(const QString &item);
/// Items quoted and joined with ";".
QString joinConditionList(const QStringList &items);

} // namespace kvilbo::search
