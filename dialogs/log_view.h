#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace kvilbo::core {
class Log;
}

// What the log viewer shows of the event log.

namespace kvilbo::dialogs {

/// Lines the log keeps after a trim; more mark it as needing one.
inline constexpr std::size_t kLogLineLimit = 500;

/// The log as read at one activation of the viewer.
struct LogView
{
    std::vector<std::string> lines;
    std::int64_t shownSize = 0; ///< file size in whole 128-byte blocks
    bool needsTrim = false;
};

/// A size cut down to whole blocks of 128 bytes.
std::int64_t wholeBlocks(std::int64_t bytes);

/// Reads the log; a log that does not exist yet reads as empty. Throws core::IoError.
LogView readLogView(const core::Log &log);

} // namespace kvilbo::dialogs
