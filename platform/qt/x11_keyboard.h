// The keyboard's global state on X11: XQueryKeymap's bit vector of the keys held, whichever client
// has the focus, read without a grab. Which keycodes are Ctrl and Alt comes from the server's
// keyboard mapping, read once at start: a keycode is a Ctrl key if any of its keysyms is
// Control_L or Control_R, an Alt key if any is Alt_L, Alt_R, Meta_L or Meta_R (keymaps put Alt on
// Meta too). Reads nothing off X11.
#pragma once

#include <array>
#include <cstdint>

#include "platform/contract/keyboard.h"

namespace coverstrip::qt {

class X11Keyboard {
 public:
  // Needs the QGuiApplication.
  X11Keyboard();
  // One round trip to the X server.
  KeysHeld Held() const;

 private:
  enum class Role : std::uint8_t { kOther, kLeftCtrl, kRightCtrl, kLeftAlt, kRightAlt };
  std::array<Role, 256> roles_{};
};

}  // namespace coverstrip::qt
