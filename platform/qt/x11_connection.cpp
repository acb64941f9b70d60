#include "platform/qt/x11_connection.h"

#include <QtGui/qguiapplication_platform.h>
#include <xcb/xcb.h>
#include <xcb/xinput.h>

#include <QGuiApplication>

namespace coverstrip::qt {

xcb_connection_t* X11Connection() {
  auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
  return x11 != nullptr ? x11->connection() : nullptr;
}

int XInputOpcode(xcb_connection_t* connection) {
  const xcb_query_extension_reply_t* input = xcb_get_extension_data(connection, &xcb_input_id);
  return input != nullptr && input->present ? input->major_opcode : -1;
}

void FlushX11() {
  if (xcb_connection_t* connection = X11Connection()) xcb_flush(connection);
}

void ConfigureX11Window(std::uintptr_t window, std::int32_t x, std::int32_t y, std::int32_t width,
                        std::int32_t height) {
  xcb_connection_t* connection = X11Connection();
  if (connection == nullptr) return;
  // X takes the position as signed and the size as unsigned 32-bit values, in that order.
  const std::uint32_t values[] = {static_cast<std::uint32_t>(x), static_cast<std::uint32_t>(y),
                                  static_cast<std::uint32_t>(width),
                                  static_cast<std::uint32_t>(height)};
  constexpr auto kMask = XCB_CONFIG_WINDOW_X | XCB_CONFIG_WINDOW_Y | XCB_CONFIG_WINDOW_WIDTH |
                         XCB_CONFIG_WINDOW_HEIGHT;
  xcb_configure_window(connection, static_cast<xcb_window_t>(window), kMask, values);
  xcb_flush(connection);
}

void RaiseX11Window(std::uintptr_t window) {
  xcb_connection_t* connection = X11Connection();
  if (connection == nullptr) return;
  const std::uint32_t above = XCB_STACK_MODE_ABOVE;
  xcb_configure_window(connection, static_cast<xcb_window_t>(window), XCB_CONFIG_WINDOW_STACK_MODE,
                       &above);
  xcb_flush(connection);
}

}  // namespace coverstrip::qt
