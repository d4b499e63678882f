#include "core/messages.h"

#include <cstdio>

namespace kvilbo::core {

namespace {

constexpr int kEnglishOffset = 30000;
constexpr int kLowestNumber = 1000;
constexpr int kHighestNumber = 64000;
constexpr std::size_t kMaxTextChars = 255;

// Cuts UTF-8 text after its 255th character, never inside one.
std::string cutToMaxChars(const std::string &text)
{
    std::size_t chars = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if ((byte & 0xC0) != 0x80 && ++chars > kMaxTextChars)
            return text.substr(0, i);
    }
    return text;
}

// "#.##": at most two decimals, no trailing zeros.
std::string twoDecimals(double value, char separator)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.2f", value);
    std::string text(buffer);
    while (text.back() == '0')
        text.pop_back();
    if (text.back() == '.')
        text.pop_back();
    const auto point = text.find('.');
    if (point != std::string::npos)
        text[point] = separator;
    return text;
}

} // namespace

Texts::Texts(std::uint16_t spraak, const TextTable &table) : m_table(&table), m_spraak(spraak)
{
}

std::string Texts::ss(int OnsketVerdi) const
{
    const int number = m_spraak == 1 ? OnsketVerdi + kEnglishOffset : OnsketVerdi;
    if (number < kLowestNumber || number > kHighestNumber)
        return {};
    const std::string *text = m_table->find(number);
    return text == nullptr ? std::string() : cutToMaxChars(*text);
}

std::string Texts::ss(int OnsketVerdi, std::initializer_list<FormatArg> args) const
{
    return formatText(ss(OnsketVerdi), args);
}

std::string Texts::FormatByteSize(std::int64_t bytes) const
{
    constexpr double kKilo = 1024.0;
    constexpr double kMega = 1048576.0;
    constexpr double kGiga = 1073741824.0;
    const auto b = static_cast<double>(bytes);
    if (b > kGiga)
        return twoDecimals(b / kGiga, decimalSeparator()) + " GB";
    if (b > kMega)
        return twoDecimals(b / kMega, decimalSeparator()) + " MB";
    if (b > kKilo)
        return twoDecimals(b / kKilo, decimalSeparator()) + " KB";
    return std::to_string(bytes) + " bytes";
}

} // namespace kvilbo::core
