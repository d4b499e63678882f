#include "core/io_error.h"
#include "core/messages.h"
#include "engine/cp1252.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>

namespace kvilbo::core {

namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

std::string cause()
{
    return errno != 0 ? std::strerror(errno) : "input/output error";
}

// Any of CR LF, LF or CR ends a line; a last line without one still counts.
std::vector<std::string> splitLines(std::string_view text)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const auto end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            lines.emplace_back(text.substr(start));
            break;
        }
        lines.emplace_back(text.substr(start, end - start));
        start = end + (text.compare(end, 2, "\r\n") == 0 ? 2 : 1);
    }
    return lines;
}

} // namespace

std::vector<std::string> Log::readLines() const
{
    errno = 0;
    std::ifstream in(filePath(), std::ios::binary);
    std::string bytes;
    if (in)
        bytes.assign(std::istreambuf_iterator<char>(in), {});
    if (!in && !in.eof())
        throw IoError("Cannot read the log " + filePath().string() + ": " + cause());
    if (bytes.compare(0, kUtf8Bom.size(), kUtf8Bom) == 0)
        return splitLines(std::string_view(bytes).substr(kUtf8Bom.size()));
    return splitLines(engine::fromCp1252(bytes));
}

void Log::trimTo(std::size_t keepLines) const
{
    const std::vector<std::string> lines = readLines();
    const std::size_t first = lines.size() > keepLines ? lines.size() - keepLines : 0;
    // Written beside the log and renamed over it, so a failure midway leaves
    // the old log whole.
    const std::filesystem::path temp = filePath().string() + ".trim";
    errno = 0;
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        for (std::size_t i = first; out && i < lines.size(); ++i)
            out << engine::toCp1252(lines[i]) << "\r\n";
        out.close();
        if (!out) {
            std::error_code ignored;
            std::filesystem::remove(temp, ignored);
            throw IoError("Cannot write the log " + filePath().string() + ": " + cause());
        }
    }
    std::error_code ec;
    std::filesystem::rename(temp, filePath(), ec);
    if (ec) {
        std::filesystem::remove(temp, ec);
        throw IoError("Cannot replace the log " + filePath().string() + ": " + ec.message());
    }
}

} // namespace kvilbo::core
