#pragma once

#include "core/text_table.h"

#include <array>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The main window owns one Texts (its Spraak) and one Log over it: the log
// asks the window for the open table's name and hands it the message line.

namespace kvilbo::core {

/// The start message, the same in both languages.
inline constexpr std::string_view kProgramStart = "***PROGRAM START***";
/// The log's file name in the program folder.
inline constexpr std::string_view kLogFileName = "Kvilbo.LOG";

/// Text lookup in the current language and the number formats that follow it.
class Texts
{
public:
    /// spraak 0 Norwegian, 1 English; table must outlive this object.
    explicit Texts(std::uint16_t spraak, const TextTable &table = TextTable::builtIn());
    Texts(std::uint16_t spraak, TextTable &&table) = delete;

    /// Sets the language: 0 Norwegian, 1 English.
    void setSpraak(std::uint16_t spraak) { m_spraak = spraak; }
    /// The language: 0 Norwegian, 1 English.
    std::uint16_t spraak() const { return m_spraak; }

    /// Text number OnsketVerdi (+30000 in English); empty outside 1000..64000 or when missing; at most 255 characters.
    std::string ss(int OnsketVerdi) const;
    /// Text number OnsketVerdi with its "%0:s"-style placeholders filled.
    std::string ss(int OnsketVerdi, std::initializer_list<FormatArg> args) const;

    /// ',' in Norwegian, '.' in English.
    char decimalSeparator() const { return m_spraak == 1 ? '.' : ','; }
    /// A byte count as "1,5 KB", "12 MB", "1024 bytes" with at most two decimals.
    std::string FormatByteSize(std::int64_t bytes) const;

private:
    const TextTable *m_table;
    std::uint16_t m_spraak;
};

/// A local date and time to the second, as the log writes it.
struct LogTime
{
    int year = 2000, month = 1, day = 1, hour = 0, minute = 0, second = 0;
};

/// The event log "Kvilbo.LOG" of a program folder and the three-line message line.
class Log
{
public:
    using Clock = std::function<LogTime()>;
    using TableNameProvider = std::function<std::string()>;
    using MessageLines = std::array<std::string, 3>;
    using MessageLineHook = std::function<void(const MessageLines &lines)>;
    using BeepHook = std::function<void()>;

    /// A log in programFolder; texts (which must outlive the log) gives text 2026, 2027 and 2055.
    Log(std::filesystem::path programFolder, const Texts &texts);

    /// Full path of the log file.
    std::filesystem::path filePath() const;
    /// Replaces the local clock (tests).
    void setClock(Clock clock) { m_clock = std::move(clock); }
    /// Gives the open table's file name, or an empty text when none is open.
    void setTableNameProvider(TableNameProvider provider) { m_tableName = std::move(provider); }
    /// Called with the three lines (newest first) whenever the message line scrolls.
    void setMessageLineHook(MessageLineHook hook) { m_messageLineHook = std::move(hook); }
    /// Called for a message with sound.
    void setBeepHook(BeepHook hook) { m_beep = std::move(hook); }

    /// Appends TekstStreng to the log; shows it on the message line unless FraDriver or start/end; beeps if lyd. Throws IoError.
    void MSG(std::string_view TekstStreng, bool lyd = false, bool FraDriver = false);

    /// The log's lines as UTF-8 (cp1252 unless the file starts with a UTF-8 byte-order mark). Throws IoError.
    std::vector<std::string> readLines() const;
    /// Keeps only the last keepLines lines, rewritten in cp1252 with CR LF. Throws IoError.
    void trimTo(std::size_t keepLines) const;

    /// The message line, newest first, each "hh:mm:ss text".
    const MessageLines &messageLines() const { return m_lines; }
    /// The log line for a message now, without the line end.
    std::string logLine(std::string_view message) const;

private:
    std::string lineAt(const LogTime &time, std::string_view message) const;
    void appendLine(const std::string &line, bool mustCreate) const;

    std::filesystem::path m_folder;
    const Texts *m_texts;
    Clock m_clock;
    TableNameProvider m_tableName;
    MessageLineHook m_messageLineHook;
    BeepHook m_beep;
    MessageLines m_lines;
};

/// Stopwatch for long operations.
class Stopwatch
{
public:
    /// "start" resets and returns ""; "stopp" returns the whole milliseconds since as "N ms"; else "".
    std::string TidTeller(std::string_view peker);

private:
    std::optional<std::chrono::steady_clock::time_point> TidTellerPeker;
};

} // namespace kvilbo::core
