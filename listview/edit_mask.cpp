// EditMask is built in cardview_logic; this unit stays until the list's build file drops it.
#include "listview/edit_mask.h"
