// Writes EWMH properties on a widget's X window with the xcb connection Qt's plugin holds, and
// flushes them, since Qt may not flush its connection until it next reads an event.
#include "platform/qt/x11_properties.h"

#include <QtGui/qguiapplication_platform.h>
#include <xcb/xcb.h>

#include <QGuiApplication>
#include <QWidget>
#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace coverstrip::qt {
namespace {

// EWMH: 0 no preference, 1 bypass (unredirect) this window, 2 keep compositing it.
constexpr std::uint32_t kKeepCompositing = 2;

xcb_atom_t Atom(xcb_connection_t* connection, const char* name) {
  const auto cookie =
      xcb_intern_atom(connection, 0, static_cast<std::uint16_t>(std::strlen(name)), name);
  xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(connection, cookie, nullptr);
  if (reply == nullptr) return XCB_ATOM_NONE;
  const xcb_atom_t atom = reply->atom;
  std::free(reply);
  return atom;
}

}  // namespace

void AskForCompositing(QWidget& window) {
  auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
  if (x11 == nullptr) return;
  xcb_connection_t* connection = x11->connection();
  const xcb_atom_t bypass = Atom(connection, "_NET_WM_BYPASS_COMPOSITOR");
  if (bypass == XCB_ATOM_NONE) return;
  xcb_change_property(connection, XCB_PROP_MODE_REPLACE, static_cast<xcb_window_t>(window.winId()),
                      bypass, XCB_ATOM_CARDINAL, 32, 1, &kKeepCompositing);
  xcb_flush(connection);
}

}  // namespace coverstrip::qt
