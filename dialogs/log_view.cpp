#include "dialogs/log_view.h"

#include "core/messages.h"

#include <filesystem>

namespace kvilbo::dialogs {

std::int64_t wholeBlocks(std::int64_t bytes)
{
    return bytes / 128 * 128;
}

LogView readLogView(const core::Log &log)
{
    LogView view;
    std::error_code ec;
    if (!std::filesystem::exists(log.filePath(), ec))
        return view;
    const auto size = std::filesystem::file_size(log.filePath(), ec);
    view.shownSize = ec ? 0 : wholeBlocks(static_cast<std::int64_t>(size));
    view.lines = log.readLines();
    view.needsTrim = view.lines.size() > kLogLineLimit;
    return view;
}

} // namespace kvilbo::dialogs
