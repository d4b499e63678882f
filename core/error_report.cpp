#include "core/error_report.h"

#include <cxxabi.h>

#include <cstdlib>
#include <memory>
#include <typeinfo>

namespace kvilbo::core {

std::string errorClassName(const std::exception &error)
{
    const char *mangled = typeid(error).name();
    int status = 0;
    std::unique_ptr<char, void (*)(void *)> readable(
        abi::__cxa_demangle(mangled, nullptr, nullptr, &status), std::free);
    return status == 0 && readable ? std::string(readable.get()) : std::string(mangled);
}

std::string innermostMessage(const std::exception &error)
{
    try {
        std::rethrow_if_nested(error);
    } catch (const std::exception &inner) {
        return innermostMessage(inner);
    } catch (...) {
    }
    return error.what();
}

std::string programFeilText(const Texts &texts, std::string_view className, std::string_view message)
{
    std::string text = texts.ss(2410) + "\n" + std::string(className) + "\n" + std::string(message)
        + "\n\n";
    for (int n = 2400; n <= 2403; ++n)
        text += texts.ss(n) + "\n";
    text += texts.ss(2404) + "\n\n" + texts.ss(2405) + "\n" + texts.ss(2406) + "\n" + texts.ss(2407);
    return text;
}

std::string programFeilLogText(const Texts &texts, std::string_view className,
                               std::string_view message)
{
    return texts.ss(2050, {className, message});
}

} // namespace kvilbo::core
