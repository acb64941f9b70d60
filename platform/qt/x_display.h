// Chooses the X display for Qt before QApplication exists: the overlay places itself and stays
// above fullscreen windows only as an X11 client, so in a Wayland session it goes through
// XWayland whatever QT_QPA_PLATFORM asks for.
#pragma once

#include <optional>
#include <string>

namespace coverstrip::qt {

// When an X server accepts a connection on $DISPLAY, sets QT_QPA_PLATFORM to xcb and returns
// nothing; otherwise returns one line saying what is missing and how to get it.
std::optional<std::string> UseXDisplay();

}  // namespace coverstrip::qt
