#include "platform/qt/x11_monitors.h"

#include <xcb/randr.h>
#include <xcb/xcb.h>

#include "platform/qt/x11_connection.h"

namespace coverstrip::qt {

std::vector<QRect> X11Monitors() {
  std::vector<QRect> monitors;
  xcb_connection_t* connection = X11Connection();
  if (connection == nullptr) return monitors;
  const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
  const X11Reply<xcb_randr_get_monitors_reply_t> reply(xcb_randr_get_monitors_reply(
      connection, xcb_randr_get_monitors(connection, screen->root, 1), nullptr));
  if (!reply) return monitors;
  for (auto it = xcb_randr_get_monitors_monitors_iterator(reply.get()); it.rem > 0;
       xcb_randr_monitor_info_next(&it)) {
    monitors.emplace_back(it.data->x, it.data->y, it.data->width, it.data->height);
  }
  return monitors;
}

}  // namespace coverstrip::qt
