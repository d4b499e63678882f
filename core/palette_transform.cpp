#include "core/palette_transform.h"

#include <QApplication>
#include <QStyle>

#include <algorithm>

namespace kvilbo::core {

QColor transformColour(const QColor &colour, int hueOffset, int satOffset)
{
    if ((hueOffset == 0 && satOffset == 0) || !colour.isValid())
        return colour;
    const QColor hsl = colour.toHsl();
    int hue = hsl.hslHue();
    // Greys have no hue to turn and no saturation to strengthen.
    if (hue < 0)
        return colour;
    hue = ((hue + hueOffset) % 360 + 360) % 360;
    const int saturation = std::clamp(hsl.hslSaturation() + satOffset * 255 / 100, 0, 255);
    return QColor::fromHsl(hue, saturation, hsl.lightness(), hsl.alpha()).toRgb();
}

QPalette transformPalette(const QPalette &palette, int hueOffset, int satOffset)
{
    QPalette out = palette;
    if (hueOffset == 0 && satOffset == 0)
        return out;
    for (int g = 0; g < QPalette::NColorGroups; ++g) {
        const auto group = static_cast<QPalette::ColorGroup>(g);
        for (int r = 0; r < QPalette::NColorRoles; ++r) {
            const auto role = static_cast<QPalette::ColorRole>(r);
            out.setColor(group, role, transformColour(palette.color(group, role), hueOffset, satOffset));
        }
    }
    return out;
}

void applyColourOffsets(int hueOffset, int satOffset)
{
    // Start from the style's own palette so that applying twice does not add up.
    const QPalette base = QApplication::style()->standardPalette();
    QApplication::setPalette(transformPalette(base, hueOffset, satOffset));
}

} // namespace kvilbo::core
