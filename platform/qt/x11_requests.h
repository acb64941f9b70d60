// Requests made on Qt's own xcb connection, where Qt's API cannot make them or holds them back.
#pragma once

#include <QRect>
#include <cstdint>
#include <vector>

namespace coverstrip::qt {

// NOTE: Qt 6.4 flushes its xcb connection only after it has read X events, so a request made
// from a timer, with no X traffic around it, waits in the buffer until the pointer next moves.
// Does nothing off X11.
void FlushX11();

// Places a top-level window at a geometry in device pixels, which Qt's own geometry, in logical
// pixels, can only approximate at a scale factor other than 1; then flushes.
void ConfigureX11Window(std::uintptr_t window, std::int32_t x, std::int32_t y, std::int32_t width,
                        std::int32_t height);

// The X server's monitors (RandR 1.5) in device pixels; empty where it has none to tell.
std::vector<QRect> X11Monitors();

}  // namespace coverstrip::qt
