// The monitor a window is on, as Windows picks it (MonitorFromRect, MONITOR_DEFAULTTONEAREST)
// and every backend's shared layer takes it: the one that holds most of the window, or the
// nearest one when none holds any of it; of two that hold as much, the one listed first.
#pragma once

#include <vector>

#include "platform/shared/backend.h"

namespace coverstrip {

// monitors is not empty: every desktop has its primary monitor.
const Monitor& MonitorHolding(const PixelRect& window, const std::vector<Monitor>& monitors);

}  // namespace coverstrip
