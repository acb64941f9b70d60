#include "platform/qt/x11_flush.h"

#include <QtGui/qguiapplication_platform.h>
#include <xcb/xcb.h>

#include <QGuiApplication>

namespace coverstrip::qt {

void FlushX11() {
  if (auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>()) {
    xcb_flush(x11->connection());
  }
}

}  // namespace coverstrip::qt
