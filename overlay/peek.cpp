#include "overlay/peek.h"

namespace coverstrip::overlay {

bool IsPeekChord(const KeysHeld& keys) {
  return (keys.leftCtrl || keys.rightCtrl) && (keys.leftAlt || keys.rightAlt) && !keys.other;
}

bool PeekStep(const Keyboard& keyboard, FormWindow& form, bool steppingAside) {
  const bool hidden = steppingAside || IsPeekChord(keyboard.Held());
  const bool visible = form.Visible();
  if (hidden && visible) form.SetVisible(false);
  if (!hidden && !visible) {
    form.SetVisible(true);
    return true;
  }
  return false;
}

}  // namespace coverstrip::overlay
