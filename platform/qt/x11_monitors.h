// The X server's own list of monitors, which Qt rounds at a scale factor other than 1.
#pragma once

#include <QRect>
#include <vector>

namespace coverstrip::qt {

// The X server's monitors (RandR 1.5) in device pixels; empty where it has none to tell.
std::vector<QRect> X11Monitors();

}  // namespace coverstrip::qt
