// Chooses the X display for Qt: the overlay places itself and stays above fullscreen windows only
// as an X11 client, so in a Wayland session it goes through XWayland whatever QT_QPA_PLATFORM
// asks for. Qt is asked for xcb with its offscreen platform behind it: where no X server accepts
// the connection, Qt then starts offscreen rather than aborting with its own message, and the
// program says in one line what is missing, without a connection of its own to find out.
#pragma once

#include <optional>
#include <string>

namespace coverstrip::qt {

// Before QApplication exists. Where DISPLAY is set, sets QT_QPA_PLATFORM and holds Qt's messages
// back until TakenXDisplay, and returns nothing; otherwise returns one line saying what is
// missing and how to get it.
std::optional<std::string> UseXDisplay();

// Once QApplication exists. When Qt took the X display, lets Qt's messages held back through and
// returns nothing; otherwise drops them and returns the one line.
std::optional<std::string> TakenXDisplay();

}  // namespace coverstrip::qt
