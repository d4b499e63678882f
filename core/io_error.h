#pragma once

#include <stdexcept>

namespace kvilbo::core {

/// A settings or log file could not be read or written; the text names the file and the cause.
class IoError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

} // namespace kvilbo::core
