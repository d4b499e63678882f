#pragma once

#include <stdexcept>
#include <string>

namespace kvilbo::layout {

/// The layout table or the print text could not be opened, created or written.
class LayoutTableError : public std::runtime_error {
public:
    /// reason: the table engine's message or our own; file: the file concerned.
    LayoutTableError(const std::string &file, const std::string &reason)
        : std::runtime_error(reason + " (" + file + ")")
    {
    }
};

/// Fixed messages of the layout table, in the style of the table engine's own.
namespace msg {
inline constexpr const char *kWrongStructure =
    "FORMULARAAPNE->Filen har ikke feltene til en formularfil (FOR), den er ikke endret";
inline constexpr const char *kAppendRefused =
    "FORMULARAAPNE->Klarte ikke legge til post i formularfilen";
inline constexpr const char *kWriteRefused =
    "FORMULARAAPNE->Klarte ikke skrive post i formularfilen";
inline constexpr const char *kPackFailed =
    "FORMULARAAPNE->Formularfilen kunne ikke \xC3\xA5pnes igjen etter pakking";
} // namespace msg

} // namespace kvilbo::layout
