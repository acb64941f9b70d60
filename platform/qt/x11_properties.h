// EWMH properties the overlay sets on its own top-level X window, through Qt's xcb connection.
#pragma once

class QWidget;

namespace coverstrip::qt {

// Asks compositors to keep compositing while the window is shown (_NET_WM_BYPASS_COMPOSITOR = 2),
// since its opacity shows only through one. Creates the native window if it does not exist yet;
// does nothing off X11.
void AskForCompositing(QWidget& window);

}  // namespace coverstrip::qt
