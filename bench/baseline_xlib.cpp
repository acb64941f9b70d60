// The bare Xlib reference: an override-redirect black window where the overlay starts (a quarter
// of the screen's width from the left, 602 px down, half the screen wide, 40 px high, or at the
// left and top given), that follows a left-button drag by the pointer's offset on every motion
// event, one move per event, and raises itself every 50 ms. Nothing else.
//   baseline_xlib [LEFT TOP]
#include <X11/Xlib.h>
#include <poll.h>
#include <time.h>

#include <cstdint>
#include <cstdlib>
#include <memory>

namespace {

struct DisplayCloser {
  void operator()(Display* display) const { XCloseDisplay(display); }
};

constexpr std::int64_t kRaiseIntervalMs = 50;

std::int64_t NowMs() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return std::int64_t{now.tv_sec} * 1000 + now.tv_nsec / 1'000'000;
}

}  // namespace

int main(int argc, char** argv) {
  std::unique_ptr<Display, DisplayCloser> owned(XOpenDisplay(nullptr));
  Display* display = owned.get();
  if (!display) return 1;
  const int screen = DefaultScreen(display);
  int left = DisplayWidth(display, screen) / 4;
  int top = 602;
  if (argc == 3) {
    left = std::atoi(argv[1]);
    top = std::atoi(argv[2]);
  }

  XSetWindowAttributes attributes{};
  attributes.override_redirect = True;
  attributes.background_pixel = BlackPixel(display, screen);
  attributes.event_mask = ButtonPressMask | ButtonReleaseMask | Button1MotionMask;
  const Window window = XCreateWindow(display, RootWindow(display, screen), left, top,
                                      static_cast<unsigned>(DisplayWidth(display, screen) / 2), 40,
                                      0, CopyFromParent, InputOutput, nullptr,
                                      CWOverrideRedirect | CWBackPixel | CWEventMask, &attributes);
  XStoreName(display, window, "baseline");
  XMapRaised(display, window);

  int pressX = 0, pressY = 0;  // the press point inside the window
  std::int64_t nextRaise = NowMs() + kRaiseIntervalMs;
  pollfd connection{ConnectionNumber(display), POLLIN, 0};
  for (;;) {
    while (XPending(display) > 0) {
      XEvent event;
      XNextEvent(display, &event);
      if (event.type == ButtonPress && event.xbutton.button == Button1) {
        pressX = event.xbutton.x;
        pressY = event.xbutton.y;
      } else if (event.type == MotionNotify) {
        XMoveWindow(display, window, event.xmotion.x_root - pressX, event.xmotion.y_root - pressY);
      }
    }
    XFlush(display);
    const std::int64_t now = NowMs();
    if (now >= nextRaise) {
      XRaiseWindow(display, window);
      nextRaise = now + kRaiseIntervalMs;
      continue;
    }
    poll(&connection, 1, static_cast<int>(nextRaise - now));
  }
}
