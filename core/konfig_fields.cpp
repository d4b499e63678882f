#include "core/konfig_fields.h"

#include <charconv>

namespace kvilbo::core {

std::uint32_t KColour::colour() const
{
    return colourFromText(raw());
}

void KColour::setColour(std::uint32_t bgr)
{
    setRaw(colourToText(bgr));
}

std::uint32_t colourFromText(std::string_view text)
{
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    long long value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || text.empty())
        return 0;
    return static_cast<std::uint32_t>(static_cast<unsigned long long>(value) & 0xFFFFFFu);
}

std::string colourToText(std::uint32_t bgr)
{
    return std::to_string(bgr & 0xFFFFFFu);
}

} // namespace kvilbo::core
