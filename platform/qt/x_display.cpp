// Tries $DISPLAY with a connection of its own, closed at once: Qt's xcb plugin aborts with its
// own message where none can be made, and its Wayland plugin would make a window that can
// neither place itself nor stay on top.
#include "platform/qt/x_display.h"

#include <xcb/xcb.h>

#include <cstdlib>

namespace coverstrip::qt {
namespace {

constexpr char kHowToGetOne[] = "run it in an X11 session, or in a Wayland session with XWayland";

// NOTE: a server that refuses the connection (no authorization) gets its reason written on stderr
// by libxcb itself, before the line that says what to do.
bool XServerAnswers() {
  xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
  const bool answers = xcb_connection_has_error(connection) == 0;
  xcb_disconnect(connection);
  return answers;
}

}  // namespace

std::optional<std::string> UseXDisplay() {
  const char* display = std::getenv("DISPLAY");
  if (display == nullptr || *display == '\0') {
    return std::string("coverstrip needs an X server and DISPLAY is not set: ") + kHowToGetOne;
  }
  if (!XServerAnswers()) {
    return std::string("coverstrip needs an X server and cannot connect to DISPLAY=\"") + display +
           "\": " + kHowToGetOne;
  }
  setenv("QT_QPA_PLATFORM", "xcb", 1);
  return std::nullopt;
}

}  // namespace coverstrip::qt
