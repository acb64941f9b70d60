// The keyboard's global state on X11, whichever client has the focus, read without a grab: the
// keys held are followed from the XInput 2 raw key events of the root window, which the server
// sends to every client that asks, so an idle tick costs no round trip. The whole keymap
// (XQueryKeymap) is read at start, so that keys already held count, and again whenever the
// server may have sent no release for a key: a keyboard added or removed, a new keyboard
// mapping. Without XInput 2 every read is a keymap read. All of it starts at the first read, so
// that the window need not wait for it. Which keycodes are Ctrl and Alt comes
// from the server's keyboard mapping: a keycode is a Ctrl key if any of its keysyms is
// Control_L or Control_R, an Alt key if any is Alt_L, Alt_R, Meta_L or Meta_R (keymaps put Alt
// on Meta too). Reads nothing off X11.
#pragma once

#include <QAbstractNativeEventFilter>
#include <array>
#include <bitset>
#include <cstdint>
#include <utility>
#include <vector>

#include "platform/contract/keyboard.h"

namespace coverstrip::qt {

class X11Keyboard final : public QAbstractNativeEventFilter {
 public:
  X11Keyboard() = default;
  ~X11Keyboard() override;
  X11Keyboard(const X11Keyboard&) = delete;
  X11Keyboard& operator=(const X11Keyboard&) = delete;

  // Needs the QGuiApplication.
  KeysHeld Held();

  bool nativeEventFilter(const QByteArray& type, void* message, qintptr* result) override;

 private:
  enum class Role : std::uint8_t { kOther, kLeftCtrl, kRightCtrl, kLeftAlt, kRightAlt };
  using Keycodes = std::bitset<256>;

  void Start();
  void ReadRoles();
  // The server's keymap, with one round trip, as the keys held by every keyboard.
  void ReadKeymap();

  std::array<Role, 256> roles_{};
  bool started_ = false;
  bool rawEvents_ = false;
  int inputOpcode_ = -1;
  // The keys held, by the keyboard (XInput source device) that pressed them; the keymap read
  // counts as a keyboard of its own, id 0.
  std::vector<std::pair<std::uint16_t, Keycodes>> held_;
  bool keymapStale_ = true;
};

}  // namespace coverstrip::qt
