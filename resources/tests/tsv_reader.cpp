#include "tsv_reader.h"

#include <charconv>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace kvilbo::resources::testing {

namespace {

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

} // namespace

std::string readFile(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot open " + path);
    std::ostringstream buffer;
    buffer << in.rdbuf();
    return buffer.str();
}

TsvContents parseTsv(std::string_view text)
{
    TsvContents result;
    int lineNo = 0;
    while (!text.empty()) {
        const auto nl = text.find('\n');
        std::string_view line = text.substr(0, nl);
        text.remove_prefix(nl == std::string_view::npos ? text.size() : nl + 1);
        ++lineNo;
        const auto fail = [&](const std::string &why) {
            result.errors.push_back("line " + std::to_string(lineNo) + ": " + why);
        };
        if (!line.empty() && line.back() == '\r') {
            fail("carriage return at the end");
            continue;
        }
        if (line.empty() || line.front() == '#')
            continue;
        std::vector<std::string_view> fields;
        for (std::size_t start = 0;;) {
            const auto tab = line.find('\t', start);
            fields.push_back(line.substr(start, tab == std::string_view::npos ? tab : tab - start));
            if (tab == std::string_view::npos)
                break;
            start = tab + 1;
        }
        if (fields.size() != 3) {
            fail("expected 3 tab-separated fields, found " + std::to_string(fields.size()));
            continue;
        }
        TsvEntry entry;
        entry.line = lineNo;
        const auto [end, ec] =
            std::from_chars(fields[0].data(), fields[0].data() + fields[0].size(), entry.number);
        if (ec != std::errc() || end != fields[0].data() + fields[0].size()) {
            fail("number is not an integer");
            continue;
        }
        if (!unescape(fields[1], entry.norwegian) || !unescape(fields[2], entry.english)) {
            fail("bad escape");
            continue;
        }
        result.entries.push_back(std::move(entry));
    }
    return result;
}

long utf8Length(std::string_view text)
{
    long chars = 0;
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        std::size_t extra = 0;
        if (lead < 0x80)
            extra = 0;
        else if ((lead & 0xE0) == 0xC0 && lead >= 0xC2)
            extra = 1;
        else if ((lead & 0xF0) == 0xE0)
            extra = 2;
        else if ((lead & 0xF8) == 0xF0 && lead <= 0xF4)
            extra = 3;
        else
            return -1;
        if (i + extra >= text.size())
            return -1;
        for (std::size_t k = 1; k <= extra; ++k) {
            if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80)
                return -1;
        }
        i += extra + 1;
        ++chars;
    }
    return chars;
}

} // namespace kvilbo::resources::testing
