#pragma once

#include <concepts>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace kvilbo::core {

/// The numbered texts of both languages: Norwegian N, English N + 30000, UTF-8.
class TextTable
{
public:
    /// Reads "N<TAB>Norwegian<TAB>English" lines; bad lines are skipped and listed in errors().
    static TextTable parse(std::string_view tsv);
    /// The table compiled into the program, parsed on first use.
    static const TextTable &builtIn();

    /// The text with this number exactly as stored, or nullptr.
    const std::string *find(int number) const;
    /// Number of texts held (both languages counted).
    std::size_t size() const { return m_texts.size(); }
    /// One line per skipped input line, "line L: reason".
    const std::vector<std::string> &errors() const { return m_errors; }

private:
    void addLine(std::string_view line, int lineNo);

    std::unordered_map<int, std::string> m_texts;
    std::vector<std::string> m_errors;
};

/// One argument of a text with placeholders: a text or an integer.
class FormatArg
{
public:
    FormatArg(std::string_view text) : m_text(text), m_isNumber(false) {}
    FormatArg(const char *text) : FormatArg(std::string_view(text)) {}
    FormatArg(const std::string &text) : FormatArg(std::string_view(text)) {}
    template <std::integral I>
    FormatArg(I number) : m_text(std::to_string(number)), m_isNumber(true)
    {
    }

    /// The argument as text (an integer in decimal digits).
    const std::string &text() const { return m_text; }
    /// True for an integer argument.
    bool isNumber() const { return m_isNumber; }

private:
    std::string m_text;
    bool m_isNumber;
};

/// Fills "%0:s", "%1:d", "%s", "%d" and "%%" from args; a placeholder without its argument stays as written.
std::string formatText(std::string_view pattern, std::initializer_list<FormatArg> args);

} // namespace kvilbo::core
