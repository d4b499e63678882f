#include "dialogs/settings_rules.h"

#include "core/config.h"

#include <charconv>
#include <cstdio>

namespace kvilbo::dialogs {

std::string trimBlanks(std::string_view text)
{
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return {};
    return std::string(text.substr(first, text.find_last_not_of(' ') - first + 1));
}

std::uint16_t centuryFromText(std::string_view text)
{
    const std::string t = trimBlanks(text);
    unsigned value = 0;
    const auto [end, error] = std::from_chars(t.data(), t.data() + t.size(), value);
    if (t.empty() || error != std::errc() || end != t.data() + t.size() || value > 0xFFFF)
        return 2000;
    return static_cast<std::uint16_t>(value);
}

std::string sliderText(int position)
{
    char text[16];
    std::snprintf(text, sizeof text, position < 0 ? "-%03d" : "%03d", position < 0 ? -position : position);
    return text;
}

std::filesystem::path startFileFolder(const core::TKonfig &konfig,
                                      const std::filesystem::path &programFolder)
{
    const std::string path = trimBlanks(konfig.DefMappePATH.text());
    if (konfig.DefMappeJN && !path.empty())
        return path;
    return programFolder;
}

} // namespace kvilbo::dialogs
