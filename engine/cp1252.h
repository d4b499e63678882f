#pragma once

#include <string>
#include <string_view>

namespace kvilbo::engine {

/// Converts UTF-8 program text to Windows-1252; a character cp1252 cannot hold becomes '?'.
std::string toCp1252(std::string_view utf8);

/// Converts Windows-1252 bytes to UTF-8; the five unassigned bytes become U+FFFD.
std::string fromCp1252(std::string_view bytes);

} // namespace kvilbo::engine
