#pragma once

#include "core/messages.h"

#include <exception>
#include <string>
#include <string_view>

// What the program-wide error dialog shows and logs about an unhandled error.

namespace kvilbo::core {

/// The error's class name, readable ("kvilbo::core::IoError").
std::string errorClassName(const std::exception &error);

/// The message of the innermost error when errors are nested (std::throw_with_nested), else the error's own.
std::string innermostMessage(const std::exception &error);

/// The dialog text: text 2410, class name, message, then texts 2400 to 2407, one per line.
std::string programFeilText(const Texts &texts, std::string_view className, std::string_view message);

/// The log message of an error: text 2050 filled with class name and message.
std::string programFeilLogText(const Texts &texts, std::string_view className,
                               std::string_view message);

} // namespace kvilbo::core
