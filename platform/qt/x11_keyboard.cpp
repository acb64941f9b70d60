#include "platform/qt/x11_keyboard.h"

#include <QtGui/qguiapplication_platform.h>
#include <xcb/xcb.h>

#include <QGuiApplication>
#include <cstdlib>
#include <memory>

namespace coverstrip::qt {
namespace {

// keysymdef.h
constexpr xcb_keysym_t kControlL = 0xffe3;
constexpr xcb_keysym_t kControlR = 0xffe4;
constexpr xcb_keysym_t kMetaL = 0xffe7;
constexpr xcb_keysym_t kMetaR = 0xffe8;
constexpr xcb_keysym_t kAltL = 0xffe9;
constexpr xcb_keysym_t kAltR = 0xffea;

xcb_connection_t* Connection() {
  auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
  return x11 != nullptr ? x11->connection() : nullptr;
}

template <typename T>
struct FreeReply {
  void operator()(T* reply) const { std::free(reply); }
};
template <typename T>
using Reply = std::unique_ptr<T, FreeReply<T>>;

}  // namespace

X11Keyboard::X11Keyboard() {
  xcb_connection_t* connection = Connection();
  if (connection == nullptr) return;
  const xcb_setup_t* setup = xcb_get_setup(connection);
  const auto first = setup->min_keycode;
  const auto count = static_cast<std::uint8_t>(setup->max_keycode - first + 1);
  const Reply<xcb_get_keyboard_mapping_reply_t> mapping(xcb_get_keyboard_mapping_reply(
      connection, xcb_get_keyboard_mapping(connection, first, count), nullptr));
  if (!mapping) return;
  const xcb_keysym_t* keysyms = xcb_get_keyboard_mapping_keysyms(mapping.get());
  const int perKeycode = mapping->keysyms_per_keycode;
  for (int index = 0; index < count; ++index) {
    Role role = Role::kOther;
    for (int column = 0; column < perKeycode && role == Role::kOther; ++column) {
      switch (keysyms[index * perKeycode + column]) {
        case kControlL:
          role = Role::kLeftCtrl;
          break;
        case kControlR:
          role = Role::kRightCtrl;
          break;
        case kAltL:
        case kMetaL:
          role = Role::kLeftAlt;
          break;
        case kAltR:
        case kMetaR:
          role = Role::kRightAlt;
          break;
        default:
          break;
      }
    }
    roles_[static_cast<std::size_t>(first + index)] = role;
  }
}

KeysHeld X11Keyboard::Held() const {
  KeysHeld held;
  xcb_connection_t* connection = Connection();
  if (connection == nullptr) return held;
  const Reply<xcb_query_keymap_reply_t> keymap(
      xcb_query_keymap_reply(connection, xcb_query_keymap(connection), nullptr));
  if (!keymap) return held;
  for (std::size_t keycode = 0; keycode < roles_.size(); ++keycode) {
    if ((keymap->keys[keycode / 8] & (1u << (keycode % 8))) == 0) continue;
    switch (roles_[keycode]) {
      case Role::kLeftCtrl:
        held.leftCtrl = true;
        break;
      case Role::kRightCtrl:
        held.rightCtrl = true;
        break;
      case Role::kLeftAlt:
        held.leftAlt = true;
        break;
      case Role::kRightAlt:
        held.rightAlt = true;
        break;
      case Role::kOther:
        held.other = true;
        break;
    }
  }
  return held;
}

}  // namespace coverstrip::qt
