// Hands what Qt's xcb connection holds in its output buffer to the X server.
#pragma once

namespace coverstrip::qt {

// NOTE: Qt 6.4 flushes its xcb connection only after it has read X events, so a request made
// from a timer, with no X traffic around it, waits in the buffer until the pointer next moves.
// Does nothing off X11.
void FlushX11();

}  // namespace coverstrip::qt
