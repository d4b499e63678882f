#include "core/text_table.h"

#include "resources/texts_data.h"

#include <charconv>

namespace kvilbo::core {

namespace {

constexpr int kFirstNorwegian = 1000;
constexpr int kLastNorwegian = 12999;
constexpr int kEnglishOffset = 30000;

// Undoes the escapes the table file uses for characters a line cannot hold.
bool unescape(std::string_view field, std::string &out)
{
    out.clear();
    for (std::size_t i = 0; i < field.size(); ++i) {
        if (field[i] != '\\') {
            out += field[i];
            continue;
        }
        if (++i == field.size())
            return false;
        switch (field[i]) {
        case 'n': out += '\n'; break;
        case 't': out += '\t'; break;
        case '\\': out += '\\'; break;
        default: return false;
        }
    }
    return true;
}

std::vector<std::string_view> splitTabs(std::string_view line)
{
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    for (;;) {
        const auto tab = line.find('\t', start);
        parts.push_back(line.substr(start, tab == std::string_view::npos ? tab : tab - start));
        if (tab == std::string_view::npos)
            return parts;
        start = tab + 1;
    }
}

} // namespace

TextTable TextTable::parse(std::string_view tsv)
{
    TextTable table;
    int lineNo = 0;
    while (!tsv.empty()) {
        const auto nl = tsv.find('\n');
        std::string_view line = tsv.substr(0, nl);
        tsv.remove_prefix(nl == std::string_view::npos ? tsv.size() : nl + 1);
        ++lineNo;
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (lineNo == 1 && line.substr(0, 3) == "\xEF\xBB\xBF")
            line.remove_prefix(3);
        if (line.find_first_not_of(" \t") == std::string_view::npos || line.front() == '#')
            continue;
        table.addLine(line, lineNo);
    }
    return table;
}

void TextTable::addLine(std::string_view line, int lineNo)
{
    const auto fail = [&](const std::string &why) {
        m_errors.push_back("line " + std::to_string(lineNo) + ": " + why);
    };
    const auto parts = splitTabs(line);
    if (parts.size() != 3)
        return fail("expected 3 tab-separated fields, found " + std::to_string(parts.size()));
    int number = 0;
    const auto [end, ec] = std::from_chars(parts[0].data(), parts[0].data() + parts[0].size(), number);
    if (ec != std::errc() || end != parts[0].data() + parts[0].size())
        return fail("text number '" + std::string(parts[0]) + "' is not a number");
    if (number < kFirstNorwegian || number > kLastNorwegian)
        return fail("text number " + std::to_string(number) + " is outside 1000..12999");
    if (m_texts.count(number) != 0)
        return fail("text number " + std::to_string(number) + " appears twice");
    std::string norwegian;
    std::string english;
    if (!unescape(parts[1], norwegian) || !unescape(parts[2], english))
        return fail("unknown escape; only \\n, \\t and \\\\ are allowed");
    m_texts.emplace(number, std::move(norwegian));
    m_texts.emplace(number + kEnglishOffset, std::move(english));
}

const TextTable &TextTable::builtIn()
{
    static const TextTable table = parse(resources::textsTsv());
    return table;
}

const std::string *TextTable::find(int number) const
{
    const auto it = m_texts.find(number);
    return it == m_texts.end() ? nullptr : &it->second;
}

std::string formatText(std::string_view pattern, std::initializer_list<FormatArg> args)
{
    std::string out;
    std::size_t next = 0; // argument of a placeholder without an index
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] != '%') {
            out += pattern[i];
            continue;
        }
        if (i + 1 < pattern.size() && pattern[i + 1] == '%') {
            out += '%';
            ++i;
            continue;
        }
        std::size_t j = i + 1;
        std::size_t index = next;
        if (j < pattern.size() && pattern[j] >= '0' && pattern[j] <= '9') {
            index = 0;
            while (j < pattern.size() && pattern[j] >= '0' && pattern[j] <= '9')
                index = index * 10 + static_cast<std::size_t>(pattern[j++] - '0');
            if (j >= pattern.size() || pattern[j] != ':') {
                out += '%';
                continue;
            }
            ++j;
        }
        const char kind = j < pattern.size() ? pattern[j] : '\0';
        if ((kind != 's' && kind != 'd') || index >= args.size()) {
            out += '%';
            continue;
        }
        out += (args.begin() + index)->text();
        next = index + 1;
        i = j;
    }
    return out;
}

} // namespace kvilbo::core
