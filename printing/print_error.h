#pragma once

#include <stdexcept>
#include <string>

namespace kvilbo::printing {

/// A print job or print setting that cannot go on; the text is for the error dialog.
class PrintError : public std::runtime_error {
public:
    explicit PrintError(const std::string& text) : std::runtime_error(text) {}
};

} // namespace kvilbo::printing
