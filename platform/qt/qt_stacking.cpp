#include "platform/qt/qt_stacking.h"

#include <QApplication>
#include <QToolTip>

#include "platform/qt/x11_connection.h"

namespace coverstrip::qt {

// The raise goes straight to the X server, flushed, since Qt leaves a request made from a timer in
// its xcb buffer. Not topmost lowers the window below every other one, so that the colour dialog
// is never hidden under it; this process's visible tooltip goes above it, as its owner's topmost
// band would keep it.
void QtStacking::Restack(bool topmost, bool /*activate*/) {
  if (!topmost) {
    form_.lower();
    FlushX11();
    return;
  }
  RaiseX11Window(form_.winId());
  if (!QToolTip::isVisible()) return;
  for (QWidget* widget : QApplication::topLevelWidgets()) {
    if (widget->windowType() == Qt::ToolTip && widget->isVisible()) widget->raise();
  }
  FlushX11();
}

// Qt writes _NET_WM_WINDOW_OPACITY as alpha x 0x01010101, shown only where a compositor runs.
void QtStacking::SetOpacity(std::uint8_t alpha) {
  form_.setWindowOpacity(alpha / 255.0);
  FlushX11();
}

}  // namespace coverstrip::qt
