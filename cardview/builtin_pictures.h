#pragma once

#include <QPixmap>

namespace kvilbo::cardview {

/// The program's own card picture "[INTERNTBILDE001]", 93 x 80, transparent background.
QPixmap internalPicture();
/// The picture shown for a missing picture file, 264 x 204, transparent background.
QPixmap missingPicture();

} // namespace kvilbo::cardview
