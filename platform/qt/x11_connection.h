// Qt's own xcb connection, and the requests made on it where Qt's API cannot make them or holds
// them back.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <memory>

struct xcb_connection_t;

namespace coverstrip::qt {

// Qt's own connection to the X server; null off X11.
xcb_connection_t* X11Connection();

// A reply or error that xcb allocated for the caller, freed with it.
template <typename T>
struct FreeX11Reply {
  void operator()(T* reply) const { std::free(reply); }
};
template <typename T>
using X11Reply = std::unique_ptr<T, FreeX11Reply<T>>;

// The XInput extension's major opcode, which its events carry; -1 where the server has none.
int XInputOpcode(xcb_connection_t* connection);

// NOTE: Qt 6.4 flushes its xcb connection only after it has read X events, so a request made
// from a timer, with no X traffic around it, waits in the buffer until the pointer next moves.
// Does nothing off X11.
void FlushX11();

// Places a top-level window at a geometry in device pixels, which Qt's own geometry, in logical
// pixels, can only approximate at a scale factor other than 1; then flushes.
void ConfigureX11Window(std::uintptr_t window, std::int32_t x, std::int32_t y, std::int32_t width,
                        std::int32_t height);

// Puts a top-level window above its siblings and flushes: one request, without the work
// QWidget::raise does for a widget's stacking among its own.
void RaiseX11Window(std::uintptr_t window);

}  // namespace coverstrip::qt
