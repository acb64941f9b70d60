#include "x_window_probe.h"

#include <poll.h>
#include <time.h>

#include <algorithm>

namespace bench {
namespace {

struct XFreeDeleter {
  void operator()(void* data) const { XFree(data); }
};

// A window may be destroyed between the query that listed it and the read of its attributes.
int IgnoreError(Display*, XErrorEvent*) {
  return 0;
}

constexpr std::int64_t kRecheckNs = 5'000'000;

void DrainEvents(Display* display) {
  while (XPending(display) > 0) {
    XEvent event;
    XNextEvent(display, &event);
  }
}

std::optional<Window> FindBelow(Display* display, Window parent, const Rect& rect, int depth) {
  Window root = 0, unusedParent = 0;
  Window* children = nullptr;
  unsigned count = 0;
  if (!XQueryTree(display, parent, &root, &unusedParent, &children, &count)) return std::nullopt;
  std::unique_ptr<Window, XFreeDeleter> owned(children);
  // XQueryTree lists bottom-most first.
  for (unsigned i = count; i-- > 0;) {
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(display, children[i], &attributes)) continue;
    if (attributes.map_state != IsViewable) continue;
    if (ViewableRect(display, children[i]) == rect) return children[i];
    if (depth > 1) {
      if (auto inside = FindBelow(display, children[i], rect, depth - 1)) return inside;
    }
  }
  return std::nullopt;
}

}  // namespace

std::int64_t NowNs() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return std::int64_t{now.tv_sec} * 1'000'000'000 + now.tv_nsec;
}

DisplayPtr OpenDisplay() {
  XSetErrorHandler(IgnoreError);
  return DisplayPtr(XOpenDisplay(nullptr));
}

std::optional<Rect> ViewableRect(Display* display, Window window) {
  XWindowAttributes attributes;
  if (!XGetWindowAttributes(display, window, &attributes)) return std::nullopt;
  if (attributes.map_state != IsViewable) return std::nullopt;
  int x = 0, y = 0;
  Window child = 0;
  if (!XTranslateCoordinates(display, window, DefaultRootWindow(display), 0, 0, &x, &y, &child)) {
    return std::nullopt;
  }
  return Rect{x, y, attributes.width, attributes.height};
}

std::optional<Window> FindWindowAt(Display* display, const Rect& rect) {
  // Frames of window managers hold the client one or two levels down.
  return FindBelow(display, DefaultRootWindow(display), rect, 3);
}

Window TopLevelOf(Display* display, Window window) {
  const Window root = DefaultRootWindow(display);
  for (;;) {
    Window unusedRoot = 0, parent = 0;
    Window* children = nullptr;
    unsigned count = 0;
    if (!XQueryTree(display, window, &unusedRoot, &parent, &children, &count)) return window;
    std::unique_ptr<Window, XFreeDeleter> owned(children);
    if (parent == root || parent == 0) return window;
    window = parent;
  }
}

void WaitForEvents(Display* display, std::int64_t timeoutNs) {
  XFlush(display);
  if (XPending(display) > 0) return;
  pollfd connection{ConnectionNumber(display), POLLIN, 0};
  const auto timeoutMs = std::max<std::int64_t>(1, timeoutNs / 1'000'000);
  poll(&connection, 1, static_cast<int>(std::min<std::int64_t>(timeoutMs, 1000)));
}

std::optional<std::int64_t> WaitForRect(Display* display, Window window, const Rect& rect,
                                        std::int64_t deadlineNs) {
  XSelectInput(display, window, StructureNotifyMask);
  const Window topLevel = TopLevelOf(display, window);
  if (topLevel != window) XSelectInput(display, topLevel, StructureNotifyMask);
  for (;;) {
    DrainEvents(display);
    if (ViewableRect(display, window) == rect) return NowNs();
    const std::int64_t now = NowNs();
    if (now >= deadlineNs) return std::nullopt;
    WaitForEvents(display, std::min(kRecheckNs, deadlineNs - now));
  }
}

}  // namespace bench
