#pragma once

#include <string_view>

namespace kvilbo::resources {

/// The text table file (texts.tsv) as compiled into the program, UTF-8.
std::string_view textsTsv();

} // namespace kvilbo::resources
