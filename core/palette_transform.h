#pragma once

#include <QColor>
#include <QPalette>

// The hue and saturation offsets of the settings (bootFargerHUE, bootFargerSAT)
// tint every window of the program through its palette.

namespace kvilbo::core {

/// The colour with hue turned by hueOffset degrees and saturation moved by satOffset percent.
QColor transformColour(const QColor &colour, int hueOffset, int satOffset);

/// Every colour of every group and role of palette, transformed.
QPalette transformPalette(const QPalette &palette, int hueOffset, int satOffset);

/// Applies the offsets to the application's palette (all windows, present and later).
void applyColourOffsets(int hueOffset, int satOffset);

} // namespace kvilbo::core
