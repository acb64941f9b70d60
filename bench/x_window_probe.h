// Reading other programs' windows on the X server: where a window stands on the screen, which
// viewable window stands at a given rectangle (top-levels, and clients inside a window manager's
// frames), and waiting on structure events, with a deadline, for a window to stand somewhere.
#pragma once

#include <X11/Xlib.h>

#include <cstdint>
#include <memory>
#include <optional>

namespace bench {

struct DisplayCloser {
  void operator()(Display* display) const { XCloseDisplay(display); }
};
using DisplayPtr = std::unique_ptr<Display, DisplayCloser>;

struct Rect {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  bool operator==(const Rect&) const = default;
};

// CLOCK_MONOTONIC in nanoseconds, the clock that Python's time.monotonic_ns() reads.
std::int64_t NowNs();

// Opens the display and ignores errors about windows that vanish while they are looked at.
DisplayPtr OpenDisplay();

// The window's rectangle in root coordinates, while it is viewable.
std::optional<Rect> ViewableRect(Display* display, Window window);

// The first viewable window, top-most first, that stands exactly at `rect`.
std::optional<Window> FindWindowAt(Display* display, const Rect& rect);

// The child of the root that holds `window`: the window itself, or the window manager's frame.
Window TopLevelOf(Display* display, Window window);

// Sleeps on the connection until an event arrives or `timeoutNs` passes.
void WaitForEvents(Display* display, std::int64_t timeoutNs);

// Waits until `window` stands at `rect`; the time it was first seen there, or nothing at the
// deadline.
std::optional<std::int64_t> WaitForRect(Display* display, Window window, const Rect& rect,
                                        std::int64_t deadlineNs);

}  // namespace bench
