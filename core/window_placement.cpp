#include "core/window_placement.h"

namespace kvilbo::core {

WindowPlacement placeMainWindow(std::uint8_t bootVinduValg, const WindowRect &stored,
                                int screenWidth, int screenHeight)
{
    WindowPlacement placement;
    if (bootVinduValg == 1) {
        placement.maximise = true;
        return placement;
    }
    if (bootVinduValg != 2)
        return placement;

    placement.applyRect = true;
    WindowRect rect = stored;
    // A window closed on a monitor left of or above the primary one comes back
    // as a huge unsigned edge; start it on the primary screen instead.
    if (screenWidth < rect.left || screenHeight < rect.top) {
        rect.left = 1;
        rect.top = 1;
    }
    if (rect.width < 100 || rect.height < 100) {
        rect.width = 900;
        rect.height = 600;
    }
    placement.rect = rect;
    return placement;
}

std::uint16_t storedCoordinate(int value)
{
    return static_cast<std::uint16_t>(static_cast<unsigned>(value) & 0xFFFFu);
}

} // namespace kvilbo::core
