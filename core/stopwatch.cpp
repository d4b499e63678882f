#include "core/messages.h"

namespace kvilbo::core {

std::string Stopwatch::TidTeller(std::string_view peker)
{
    const auto now = std::chrono::steady_clock::now();
    if (peker == "start") {
        TidTellerPeker = now;
        return {};
    }
    if (peker != "stopp")
        return {};
    // A stop without a start counts from now rather than from an undefined time.
    const auto since = TidTellerPeker.value_or(now);
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(now - since).count();
    return std::to_string(ms) + " ms";
}

} // namespace kvilbo::core
