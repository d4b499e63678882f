#pragma once

// The edit-mask translation lives with the card view, which the list depends on.

#include "cardview/edit_mask.h"

namespace kvilbo::listview {

using cardview::EditMask;

} // namespace kvilbo::listview
