// Where the keep-on-top puts the strip: above every ordinary window, a fullscreen player
// included, but never above another program's menu, tooltip, combo list, input-method window,
// drag image, notification or screen locker while it is shown, and never past another strip, so
// that two strips keep their order.
#pragma once

#include <optional>
#include <vector>

#include "platform/contract/z_order.h"

namespace coverstrip::overlay {

// Whether the strip stays below a window of that role.
bool StandsAsideFor(WindowRole role);

// The insert-after window of SetWindowPos for a strip with these windows above it (the nearest
// first): just above the top-most ordinary one, below the windows above that; nothing when the
// strip stays where it is, because no ordinary window is above it, or because another strip
// above it is still below one and must rise first.
std::optional<NativeHandle> KeepOnTopInsertAfter(const std::vector<WindowAbove>& above);

}  // namespace coverstrip::overlay
