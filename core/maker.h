#pragma once

#include <string_view>

// Who makes Kvilbo, as the settings defaults and the page templates name it.

namespace kvilbo::core {

inline constexpr std::string_view kMakerWebAddress = "www.kvilbo.example";
inline constexpr std::string_view kMakerCopyright = "Copyright (c) 2026 Kvilbo";

} // namespace kvilbo::core
