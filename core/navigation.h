#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

// Card order is the list's row order; these rules pick the row a navigation
// command goes to and read the record number out of a row key.

namespace kvilbo::core {

/// A list row key that does not hold a record number.
class RowKeyError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

/// The four navigation commands of the lower toolbar.
enum class NavCommand { First, Previous, Next, Last };

/// The data row (0-based, list order) the command makes current; -1 when there are no rows.
int navigationTarget(NavCommand command, int currentRow, int rowCount);

/// The record number in characters 6-12 of a row key; throws RowKeyError when they are not digits.
int recordNumberOfKey(std::string_view rowKey);

/// The key of an unmarked row for record recNo: five blanks and seven digits.
std::string rowKeyFor(int recNo);

/// True when the row key marks its card ("x" first).
bool isMarkedKey(std::string_view rowKey);

} // namespace kvilbo::core
