#pragma once

#include "core/konfig_fields.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace kvilbo::core {
struct TKonfig;
}

// How the settings dialog turns what its controls hold back into the record.

namespace kvilbo::dialogs {

/// Text without blanks at either end.
std::string trimBlanks(std::string_view text);

/// Stores text trimmed and cut to the field's capacity.
template <std::size_t N>
void storeTrimmed(core::KText<N> &field, std::string_view text)
{
    field.setText(trimBlanks(text));
}

/// The century typed or chosen: its number, 2000 when it is not a number from 0 to 65535.
std::uint16_t centuryFromText(std::string_view text);

/// Position of a colour slider as its label shows it: three digits, with a sign when negative.
std::string sliderText(int position);

/// Folder the start-up file dialog starts in: the trimmed DefMappePATH when chosen and set, else programFolder.
std::filesystem::path startFileFolder(const core::TKonfig &konfig,
                                      const std::filesystem::path &programFolder);

/// Limits of the spin boxes, which also bring stored values into range when the window opens.
inline constexpr int kZombieMin = 3;
inline constexpr int kZombieMax = 500;
inline constexpr int kFontSizeMin = 6;
inline constexpr int kFontSizeMax = 90;
inline constexpr int kRowHeightMin = 6;
inline constexpr int kRowHeightMax = 72;
inline constexpr int kGridMax = 100;
inline constexpr int kHueMax = 360;
inline constexpr int kSatMin = -100;
inline constexpr int kSatMax = 100;

} // namespace kvilbo::dialogs
