#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// An independent reader of texts.tsv for the tests: it keeps duplicates and
// line numbers, which the program's own loader has no reason to keep.

namespace kvilbo::resources::testing {

/// One text pair as written in the file.
struct TsvEntry
{
    int line = 0;
    int number = 0;
    std::string norwegian;
    std::string english;
};

/// Everything read from the file: the pairs in file order and one text per bad line.
struct TsvContents
{
    std::vector<TsvEntry> entries;
    std::vector<std::string> errors;
};

/// Reads the whole file; throws std::runtime_error when it cannot be opened.
std::string readFile(const std::string &path);

/// Splits the table text into pairs, undoing the \n, \t and \\ escapes.
TsvContents parseTsv(std::string_view text);

/// Number of characters (code points) of UTF-8 text; -1 when it is not valid UTF-8.
long utf8Length(std::string_view text);

} // namespace kvilbo::resources::testing
