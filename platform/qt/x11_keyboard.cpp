#include "platform/qt/x11_keyboard.h"

#include <xcb/xcb.h>
#include <xcb/xinput.h>

#include <QCoreApplication>
#include <algorithm>

#include "platform/qt/x11_connection.h"

namespace coverstrip::qt {
namespace {

// keysymdef.h
constexpr xcb_keysym_t kControlL = 0xffe3;
constexpr xcb_keysym_t kControlR = 0xffe4;
constexpr xcb_keysym_t kMetaL = 0xffe7;
constexpr xcb_keysym_t kMetaR = 0xffe8;
constexpr xcb_keysym_t kAltL = 0xffe9;
constexpr xcb_keysym_t kAltR = 0xffea;

constexpr std::uint16_t kKeymapSource = 0;

// Raw key events of the master keyboards on the root window. Qt keeps a selection of its own
// there for every device (XIAllDevices), which a selection for the same device id would replace.
bool SelectRawKeyEvents(xcb_connection_t* connection) {
  struct {
    xcb_input_event_mask_t head;
    std::uint32_t bits;
  } mask{{XCB_INPUT_DEVICE_ALL_MASTER, 1},
         XCB_INPUT_XI_EVENT_MASK_RAW_KEY_PRESS | XCB_INPUT_XI_EVENT_MASK_RAW_KEY_RELEASE};
  const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
  const X11Reply<xcb_generic_error_t> error(xcb_request_check(
      connection, xcb_input_xi_select_events_checked(connection, root, 1, &mask.head)));
  return !error;
}

}  // namespace

void X11Keyboard::Start() {
  started_ = true;
  xcb_connection_t* connection = X11Connection();
  if (connection == nullptr) return;
  ReadRoles();
  const int opcode = XInputOpcode(connection);
  if (opcode < 0 || !SelectRawKeyEvents(connection)) return;
  inputOpcode_ = opcode;
  rawEvents_ = true;
  QCoreApplication::instance()->installNativeEventFilter(this);
  // Keys held now, before the first raw event.
  ReadKeymap();
  keymapStale_ = false;
}

X11Keyboard::~X11Keyboard() {
  if (rawEvents_ && QCoreApplication::instance() != nullptr) {
    QCoreApplication::instance()->removeNativeEventFilter(this);
  }
}

void X11Keyboard::ReadRoles() {
  xcb_connection_t* connection = X11Connection();
  const xcb_setup_t* setup = xcb_get_setup(connection);
  const auto first = setup->min_keycode;
  const auto count = static_cast<std::uint8_t>(setup->max_keycode - first + 1);
  const X11Reply<xcb_get_keyboard_mapping_reply_t> mapping(xcb_get_keyboard_mapping_reply(
      connection, xcb_get_keyboard_mapping(connection, first, count), nullptr));
  if (!mapping) return;
  roles_.fill(Role::kOther);
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

void X11Keyboard::ReadKeymap() {
  held_.clear();
  xcb_connection_t* connection = X11Connection();
  if (connection == nullptr) return;
  const X11Reply<xcb_query_keymap_reply_t> keymap(
      xcb_query_keymap_reply(connection, xcb_query_keymap(connection), nullptr));
  if (!keymap) return;
  Keycodes keys;
  for (std::size_t keycode = 0; keycode < keys.size(); ++keycode) {
    keys[keycode] = (keymap->keys[keycode / 8] & (1u << (keycode % 8))) != 0;
  }
  if (keys.any()) held_.emplace_back(kKeymapSource, keys);
}

// NOTE: XInput 2 sends no release for a key held on a keyboard that goes away, and a new mapping
// may have come with keys changed under it: the keymap is read again at the next tick.
bool X11Keyboard::nativeEventFilter(const QByteArray& type, void* message, qintptr* /*result*/) {
  if (type != "xcb_generic_event_t") return false;
  const auto* event = static_cast<const xcb_generic_event_t*>(message);
  const std::uint8_t kind = event->response_type & 0x7F;
  if (kind == XCB_MAPPING_NOTIFY) {
    if (static_cast<const xcb_mapping_notify_event_t*>(message)->request == XCB_MAPPING_KEYBOARD) {
      ReadRoles();
      keymapStale_ = true;
    }
    return false;
  }
  if (kind != XCB_GE_GENERIC) return false;
  const auto* generic = static_cast<const xcb_ge_generic_event_t*>(message);
  if (generic->extension != inputOpcode_) return false;
  if (generic->event_type == XCB_INPUT_HIERARCHY ||
      generic->event_type == XCB_INPUT_DEVICE_CHANGED) {
    keymapStale_ = true;
    return false;
  }
  const bool press = generic->event_type == XCB_INPUT_RAW_KEY_PRESS;
  if (!press && generic->event_type != XCB_INPUT_RAW_KEY_RELEASE) return false;
  const auto* key = static_cast<const xcb_input_raw_key_press_event_t*>(message);
  if (key->detail >= Keycodes().size()) return false;
  // A release also takes the key out of the keymap read, which cannot tell who pressed it.
  for (auto& [id, keys] : held_) {
    if (id == key->sourceid || (!press && id == kKeymapSource)) keys.set(key->detail, press);
  }
  const auto has = [key](const auto& held) { return held.first == key->sourceid; };
  if (press && std::none_of(held_.begin(), held_.end(), has)) {
    held_.emplace_back(key->sourceid, Keycodes().set(key->detail));
  }
  return false;
}

KeysHeld X11Keyboard::Held() {
  if (!started_) Start();
  if (!rawEvents_ || keymapStale_) {
    ReadKeymap();
    keymapStale_ = !rawEvents_;
  }
  Keycodes keys;
  for (const auto& [id, held] : held_) keys |= held;
  KeysHeld result;
  for (std::size_t keycode = 0; keycode < keys.size(); ++keycode) {
    if (!keys[keycode]) continue;
    switch (roles_[keycode]) {
      case Role::kLeftCtrl:
        result.leftCtrl = true;
        break;
      case Role::kRightCtrl:
        result.rightCtrl = true;
        break;
      case Role::kLeftAlt:
        result.leftAlt = true;
        break;
      case Role::kRightAlt:
        result.rightAlt = true;
        break;
      case Role::kOther:
        result.other = true;
        break;
    }
  }
  return result;
}

}  // namespace coverstrip::qt
