// Drives and watches the window under measurement through the X server alone, the way a user's
// mouse would: XTest for input, window geometry for the result. Prints key=value lines.
//   xbench wait-map X Y W H TIMEOUT_MS   prints "ready", then the viewable window that stands at
//                                        X,Y WxH and when it was first seen there
//   xbench wait-gone WINDOW TIMEOUT_MS   until the window is no longer viewable
//   xbench drag WINDOW N DX DY TIMEOUT_MS
//                                        a body drag of N motion events, as fast as the server
//                                        takes them, that ends DX,DY from the press point; waits
//                                        until the window stands exactly that far away
//   xbench load WINDOW DRAGS DCLICKS TIMEOUT_MS
//                                        a body drag of DRAGS motion events to and fro, then
//                                        DCLICKS double-clicks, each waited for by its change of
//                                        the window's opacity, then a short drag whose end
//                                        position proves the program has handled it all
//   xbench park X Y                      moves the pointer there
//   xbench tooltip WINDOW TIMEOUT_MS     rests the pointer on the window's body press point until
//                                        another top-level window (its tooltip) maps there
// Relies on the XTEST extension; the body press point is 100 px right of and 20 px below the
// window's top-left corner, beyond the strip's 10 px bands and clear of the close mark.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>

#include <algorithm>
#include <charconv>
#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string_view>

#include "x_window_probe.h"

namespace {

using bench::Rect;

constexpr int kPressRight = 100;
constexpr int kPressDown = 20;
constexpr int kSyncOffsetX = 7;
constexpr int kSyncOffsetY = 5;
constexpr int kSyncPressAside = 40;

std::optional<long> Number(const char* text) {
  long value = 0;
  const char* end = text + std::strlen(text);
  const int base = std::string_view(text).starts_with("0x") ? 16 : 10;
  if (base == 16) text += 2;
  if (std::from_chars(text, end, value, base).ec != std::errc{} || text == end) {
    return std::nullopt;
  }
  return value;
}

void MovePointer(Display* display, int x, int y) {
  XTestFakeMotionEvent(display, -1, x, y, CurrentTime);
}

void Button(Display* display, bool down) {
  XTestFakeButtonEvent(display, 1, down ? True : False, CurrentTime);
}

Rect Offset(Rect rect, int dx, int dy) {
  rect.x += dx;
  rect.y += dy;
  return rect;
}

int WaitMap(Display* display, const Rect& rect, std::int64_t timeoutNs) {
  const std::int64_t deadline = bench::NowNs() + timeoutNs;
  XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
  XSync(display, False);
  std::printf("ready\n");
  std::fflush(stdout);
  for (;;) {
    while (XPending(display) > 0) {
      XEvent event;
      XNextEvent(display, &event);
    }
    if (const auto window = bench::FindWindowAt(display, rect)) {
      std::printf("window=0x%lx seen_ns=%" PRId64 "\n", *window, bench::NowNs());
      return 0;
    }
    const std::int64_t now = bench::NowNs();
    if (now >= deadline) {
      std::printf("error=no viewable window at %d,%d %dx%d\n", rect.x, rect.y, rect.width,
                  rect.height);
      return 1;
    }
    bench::WaitForEvents(display, std::min<std::int64_t>(2'000'000, deadline - now));
  }
}

int WaitGone(Display* display, Window window, std::int64_t timeoutNs) {
  const std::int64_t deadline = bench::NowNs() + timeoutNs;
  XSelectInput(display, window, StructureNotifyMask);
  while (bench::ViewableRect(display, window)) {
    const std::int64_t now = bench::NowNs();
    if (now >= deadline) {
      std::printf("error=window 0x%lx is still viewable\n", window);
      return 1;
    }
    bench::WaitForEvents(display, std::min<std::int64_t>(2'000'000, deadline - now));
    while (XPending(display) > 0) {
      XEvent event;
      XNextEvent(display, &event);
    }
  }
  return 0;
}

int TooltipCommand(Display* display, Window window, std::int64_t timeoutNs) {
  const std::int64_t deadline = bench::NowNs() + timeoutNs;
  const auto rect = bench::ViewableRect(display, window);
  if (!rect) {
    std::printf("error=window 0x%lx is not viewable\n", window);
    return 1;
  }
  XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
  // From outside the window onto it, so that it sees the pointer enter and rest.
  MovePointer(display, rect->x + rect->width + 20, rect->y + rect->height + 20);
  XSync(display, False);
  MovePointer(display, rect->x + kPressRight, rect->y + kPressDown);
  XSync(display, False);
  for (;;) {
    while (XPending(display) > 0) {
      XEvent event;
      XNextEvent(display, &event);
      if (event.type == MapNotify && event.xmap.window != window && event.xmap.override_redirect) {
        std::printf("tooltip=0x%lx shown_ns=%" PRId64 "\n", event.xmap.window, bench::NowNs());
        return 0;
      }
    }
    const std::int64_t now = bench::NowNs();
    if (now >= deadline) {
      std::printf("error=no tooltip for window 0x%lx\n", window);
      return 1;
    }
    bench::WaitForEvents(display, std::min<std::int64_t>(2'000'000, deadline - now));
  }
}

// One drag from the body press point: press, the given motion events, and the release once the
// window stands where the last of them puts it. False at the deadline.
template <typename PathAt>
bool Drag(Display* display, Window window, const Rect& start, int pressRight, long events, int dx,
          int dy, PathAt pathAt, std::int64_t deadline, std::int64_t* startNs,
          std::int64_t* injectedNs, std::int64_t* settledNs) {
  const int pressX = start.x + pressRight;
  const int pressY = start.y + kPressDown;
  MovePointer(display, pressX, pressY);
  Button(display, true);
  XSync(display, False);
  *startNs = bench::NowNs();
  for (long i = 1; i <= events; ++i) {
    const auto [x, y] = pathAt(i);
    MovePointer(display, pressX + x, pressY + y);
  }
  XSync(display, False);
  *injectedNs = bench::NowNs();
  const auto settled = bench::WaitForRect(display, window, Offset(start, dx, dy), deadline);
  Button(display, false);
  XSync(display, False);
  if (!settled) return false;
  *settledNs = *settled;
  return true;
}

void ReportWhere(Display* display, Window window, const Rect& expected) {
  const auto rect = bench::ViewableRect(display, window);
  std::printf("error=window at %d,%d %dx%d, expected %d,%d %dx%d\n", rect ? rect->x : -1,
              rect ? rect->y : -1, rect ? rect->width : -1, rect ? rect->height : -1, expected.x,
              expected.y, expected.width, expected.height);
}

int DragCommand(Display* display, Window window, long events, int dx, int dy,
                std::int64_t timeoutNs) {
  const auto start = bench::ViewableRect(display, window);
  if (!start || events <= 0 || events % 2 != 0) {
    std::printf("error=window not viewable, or an odd number of events\n");
    return 1;
  }
  // Straight towards (dx, dy), with a two-pixel sideways wobble so that every event really moves
  // the pointer; an even count ends exactly at (dx, dy).
  const auto path = [&](long i) {
    return std::pair{static_cast<int>(dx * i / events + 2 * (i % 2)),
                     static_cast<int>(dy * i / events)};
  };
  const std::int64_t deadline = bench::NowNs() + timeoutNs;
  std::int64_t startNs = 0, injectedNs = 0, settledNs = 0;
  if (!Drag(display, window, *start, kPressRight, events, dx, dy, path, deadline, &startNs,
            &injectedNs, &settledNs)) {
    ReportWhere(display, window, Offset(*start, dx, dy));
    return 1;
  }
  std::printf("start_ns=%" PRId64 " injected_ns=%" PRId64 " settled_ns=%" PRId64 "\n", startNs,
              injectedNs, settledNs);
  return 0;
}

// A short drag by (dx, dy): once the window stands there, every event before it was handled. Its
// press is well away from the clicks before and after it, so that it forms no double-click.
bool SyncDrag(Display* display, Window window, int dx, int dy, std::int64_t deadline) {
  const auto start = bench::ViewableRect(display, window);
  if (!start) return false;
  const auto path = [&](long) { return std::pair{dx, dy}; };
  std::int64_t unused = 0;
  if (Drag(display, window, *start, kPressRight + kSyncPressAside, 1, dx, dy, path, deadline,
           &unused, &unused, &unused)) {
    return true;
  }
  ReportWhere(display, window, Offset(*start, dx, dy));
  return false;
}

std::optional<unsigned long> Opacity(Display* display, Window window) {
  const Atom opacity = XInternAtom(display, "_NET_WM_WINDOW_OPACITY", False);
  for (Window w : {window, bench::TopLevelOf(display, window)}) {
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(display, w, opacity, 0, 1, False, XA_CARDINAL, &type, &format, &count,
                           &after, &data) == Success &&
        data != nullptr) {
      const unsigned long value = count == 1 ? *reinterpret_cast<unsigned long*>(data) : 0;
      XFree(data);
      if (count == 1) return value & 0xFFFFFFFFul;
    }
  }
  return std::nullopt;
}

// Waits until the window's opacity differs from `before`; the new value, or nothing at the
// deadline.
std::optional<unsigned long> WaitForOpacityChange(Display* display, Window window,
                                                  std::optional<unsigned long> before,
                                                  std::int64_t deadline) {
  XSelectInput(display, window, StructureNotifyMask | PropertyChangeMask);
  for (;;) {
    while (XPending(display) > 0) {
      XEvent event;
      XNextEvent(display, &event);
    }
    const auto now = Opacity(display, window);
    if (now && now != before) return now;
    const std::int64_t time = bench::NowNs();
    if (time >= deadline) return std::nullopt;
    bench::WaitForEvents(display, std::min<std::int64_t>(2'000'000, deadline - time));
  }
}

int LoadCommand(Display* display, Window window, long drags, long doubleClicks,
                std::int64_t timeoutNs) {
  const auto start = bench::ViewableRect(display, window);
  if (!start || drags < 1) {
    std::printf("error=window not viewable, or no drag events\n");
    return 1;
  }
  const std::int64_t deadline = bench::NowNs() + timeoutNs;
  // Back and forth by two pixels across and one down, the last event a few pixels away: the
  // window standing there proves the whole drag was handled before the button is released.
  const auto wobble = [drags](long i) {
    if (i == drags) return std::pair{kSyncOffsetX, kSyncOffsetY};
    return std::pair{static_cast<int>(2 * (i % 2)), static_cast<int>(i % 2)};
  };
  std::int64_t unused = 0;
  if (!Drag(display, window, *start, kPressRight, drags, kSyncOffsetX, kSyncOffsetY, wobble,
            deadline, &unused, &unused, &unused)) {
    ReportWhere(display, window, Offset(*start, kSyncOffsetX, kSyncOffsetY));
    return 1;
  }

  // Each double-click steps the window's opacity: wait for the step before the next one, so
  // that every pair of clicks is seen as one double-click.
  const Rect moved = Offset(*start, kSyncOffsetX, kSyncOffsetY);
  MovePointer(display, moved.x + kPressRight, moved.y + kPressDown);
  auto opacity = Opacity(display, window);
  for (long i = 1; i <= doubleClicks; ++i) {
    for (int click = 0; click < 2; ++click) {
      Button(display, true);
      Button(display, false);
    }
    XSync(display, False);
    const auto changed = WaitForOpacityChange(display, window, opacity, deadline);
    if (!changed) {
      std::printf("error=double-click %ld of %ld left the opacity at 0x%lX\n", i, doubleClicks,
                  opacity.value_or(0xFFFFFFFFul));
      return 1;
    }
    opacity = changed;
  }
  if (!SyncDrag(display, window, -kSyncOffsetX, -kSyncOffsetY, deadline)) return 1;

  std::printf("opacity=%lu\n", Opacity(display, window).value_or(0xFFFFFFFFul));
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string_view command = argc > 1 ? argv[1] : "";
  std::optional<long> n[5];
  for (int i = 0; i < 5 && i + 2 < argc; ++i) n[i] = Number(argv[i + 2]);
  const auto all = [&](int count) {
    if (argc != count + 2) return false;
    for (int i = 0; i < count; ++i) {
      if (!n[i]) return false;
    }
    return true;
  };
  bench::DisplayPtr display = bench::OpenDisplay();
  if (!display) {
    std::fprintf(stderr, "xbench: cannot open the display\n");
    return 2;
  }
  int eventBase = 0, errorBase = 0, major = 0, minor = 0;
  if (!XTestQueryExtension(display.get(), &eventBase, &errorBase, &major, &minor)) {
    std::fprintf(stderr, "xbench: the X server has no XTEST extension\n");
    return 2;
  }
  const auto ms = [](long value) { return std::int64_t{value} * 1'000'000; };
  const auto i = [](long value) { return static_cast<int>(value); };
  if (command == "wait-map" && all(5)) {
    return WaitMap(display.get(), Rect{i(*n[0]), i(*n[1]), i(*n[2]), i(*n[3])}, ms(*n[4]));
  }
  if (command == "wait-gone" && all(2)) {
    return WaitGone(display.get(), static_cast<Window>(*n[0]), ms(*n[1]));
  }
  if (command == "drag" && all(5)) {
    return DragCommand(display.get(), static_cast<Window>(*n[0]), *n[1], i(*n[2]), i(*n[3]),
                       ms(*n[4]));
  }
  if (command == "load" && all(4)) {
    return LoadCommand(display.get(), static_cast<Window>(*n[0]), *n[1], *n[2], ms(*n[3]));
  }
  if (command == "tooltip" && all(2)) {
    return TooltipCommand(display.get(), static_cast<Window>(*n[0]), ms(*n[1]));
  }
  if (command == "park" && all(2)) {
    MovePointer(display.get(), i(*n[0]), i(*n[1]));
    XSync(display.get(), False);
    return 0;
  }
  std::fprintf(
      stderr,
      "usage: xbench wait-map X Y W H TIMEOUT_MS | wait-gone WINDOW TIMEOUT_MS |\n"
      "       drag WINDOW N DX DY TIMEOUT_MS |\n"
      "       load WINDOW DRAGS DCLICKS TIMEOUT_MS | park X Y | tooltip WINDOW TIMEOUT_MS\n");
  return 2;
}
