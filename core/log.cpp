#include "core/messages.h"

#include "core/io_error.h"
#include "engine/cp1252.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <fstream>

namespace kvilbo::core {

namespace {

constexpr int kNoDatabaseOpen = 2026;
constexpr int kNewLogCreated = 2027;
constexpr int kProgramEnd = 2055;

LogTime localNow()
{
    const std::time_t t = std::time(nullptr);
    std::tm tm{};
    localtime_r(&t, &tm);
    return {tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec};
}

std::string timeOfDay(const LogTime &t)
{
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%02d:%02d:%02d", t.hour % 100, t.minute % 100,
                  t.second % 100);
    return buffer;
}

std::string dateAndTime(const LogTime &t)
{
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%02d.%02d.%04d ", t.day % 100, t.month % 100,
                  t.year % 10000);
    return buffer + timeOfDay(t);
}

std::string trimmed(std::string_view text)
{
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    const auto last = text.find_last_not_of(" \t");
    return std::string(text.substr(first, last - first + 1));
}

// A message with line breaks (an error text, say) must not split its event
// over several log lines: the log viewer counts one event per line.
std::string oneLine(std::string_view text)
{
    std::string out(text);
    for (char &c : out) {
        if (c == '\r' || c == '\n')
            c = ' ';
    }
    return out;
}

} // namespace

Log::Log(std::filesystem::path programFolder, const Texts &texts)
    : m_folder(std::move(programFolder)), m_texts(&texts), m_clock(localNow)
{
}

std::filesystem::path Log::filePath() const
{
    return m_folder / std::string(kLogFileName);
}

std::string Log::logLine(std::string_view message) const
{
    return lineAt(m_clock(), message);
}

std::string Log::lineAt(const LogTime &time, std::string_view message) const
{
    std::string table = m_tableName ? m_tableName() : std::string();
    table = trimmed(std::filesystem::path(table).filename().string());
    if (table.empty())
        table = m_texts->ss(kNoDatabaseOpen);
    return dateAndTime(time) + " (" + table + ")->" + oneLine(message);
}

void Log::appendLine(const std::string &line, bool mustCreate) const
{
    errno = 0;
    const auto mode = mustCreate ? std::ios::out | std::ios::binary
                                 : std::ios::out | std::ios::app | std::ios::binary;
    std::ofstream out(filePath(), mode);
    if (out)
        out << engine::toCp1252(line) << "\r\n";
    if (out)
        out.close();
    if (!out) {
        throw IoError("Cannot write to the log " + filePath().string() + ": "
                      + (errno != 0 ? std::strerror(errno) : "input/output error"));
    }
}

void Log::MSG(std::string_view TekstStreng, bool lyd, bool FraDriver)
{
    const LogTime now = m_clock();
    const bool isStart = TekstStreng == kProgramStart;
    if (isStart) {
        std::error_code ec;
        if (!std::filesystem::exists(filePath(), ec))
            appendLine(lineAt(now, m_texts->ss(kNewLogCreated)), true);
    }
    appendLine(lineAt(now, TekstStreng), false);
    const bool isEnd = TekstStreng == m_texts->ss(kProgramEnd);
    if (!isStart && !isEnd && !FraDriver) {
        m_lines[2] = std::move(m_lines[1]);
        m_lines[1] = std::move(m_lines[0]);
        m_lines[0] = timeOfDay(now) + " " + std::string(TekstStreng);
        if (m_messageLineHook)
            m_messageLineHook(m_lines);
    }
    if (lyd && m_beep)
        m_beep();
}

} // namespace kvilbo::core
