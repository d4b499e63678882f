#pragma once

#include <cstdint>

// Where the main window goes at its first activation. Plain numbers so the
// rule can be checked without a screen.

namespace kvilbo::core {

/// A rectangle in screen pixels.
struct WindowRect
{
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

/// What the first activation does with the window.
struct WindowPlacement
{
    bool maximise = false;  ///< bootVinduValg 1
    bool applyRect = false; ///< bootVinduValg 2: rect holds the corrected bounds
    WindowRect rect;
};

/// The placement for bootVinduValg with the stored bounds on a screen of screenWidth x screenHeight.
WindowPlacement placeMainWindow(std::uint8_t bootVinduValg, const WindowRect &stored,
                                int screenWidth, int screenHeight);

/// A window coordinate as the settings record keeps it (unsigned 16 bit, so -1 becomes 65535).
std::uint16_t storedCoordinate(int value);

} // namespace kvilbo::core
