#include "core/navigation.h"

#include "core/status_texts.h"

namespace kvilbo::core {

int navigationTarget(NavCommand command, int currentRow, int rowCount)
{
    if (rowCount <= 0)
        return -1;
    const int last = rowCount - 1;
    const bool hasCurrent = currentRow >= 0 && currentRow <= last;
    switch (command) {
    case NavCommand::First:
        return 0;
    case NavCommand::Previous:
        return hasCurrent && currentRow > 0 ? currentRow - 1 : (hasCurrent ? currentRow : 0);
    case NavCommand::Next:
        return hasCurrent && currentRow < last ? currentRow + 1 : (hasCurrent ? currentRow : 0);
    case NavCommand::Last:
        return last;
    }
    return -1;
}

int recordNumberOfKey(std::string_view rowKey)
{
    const std::string_view digits = rowKey.size() >= 12 ? rowKey.substr(5, 7) : std::string_view();
    int value = 0;
    for (char c : digits) {
        if (c < '0' || c > '9') {
            value = -1;
            break;
        }
        value = value * 10 + (c - '0');
    }
    if (digits.empty() || value < 0)
        throw RowKeyError("'" + std::string(rowKey) + "' is not a valid list row key");
    return value;
}

std::string rowKeyFor(int recNo)
{
    return "     " + zeroPad(recNo, 7);
}

bool isMarkedKey(std::string_view rowKey)
{
    return !rowKey.empty() && rowKey.front() == 'x';
}

} // namespace kvilbo::core
