// The keyboard's global state: which keys are held right now, whichever program has the focus.
// Read without a grab or a hook, so every key still reaches the focused program.
#pragma once

namespace coverstrip {

// The keys held, as far as the logic tells them apart: each Ctrl and each Alt, and whether any
// other key of the keyboard is held too. Pointer buttons are not keys. While no Ctrl and no Alt
// is held, where it can decide nothing, a platform whose reads are dear may leave `other` false.
struct KeysHeld {
  bool leftCtrl = false;
  bool rightCtrl = false;
  bool leftAlt = false;
  bool rightAlt = false;
  bool other = false;
  bool operator==(const KeysHeld&) const = default;
};

class Keyboard {
 public:
  virtual ~Keyboard() = default;
  virtual KeysHeld Held() const = 0;
};

}  // namespace coverstrip
