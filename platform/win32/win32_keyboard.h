// The keyboard's global state on Windows: GetAsyncKeyState's "held now" bit for each virtual key,
// which reflects the physical keyboard whichever program has the focus, with no hook. Ctrl and Alt
// are told apart by side (VK_LCONTROL, VK_RCONTROL, VK_LMENU, VK_RMENU); every other key code but
// the pointer buttons and the Japanese and Korean input-mode keys (which can read as held with no
// release) counts as another key, Shift and the lock keys included; those are read only while a
// Ctrl or an Alt is held. On a layout with AltGr the right Alt is AltGr, a key of its own
// as on X11, and Windows adds a left Ctrl to it: it counts as another key, so AltGr never passes
// for Ctrl+Alt.
#pragma once

#include "platform/contract/keyboard.h"
#include "platform/win32/windows_api.h"

namespace coverstrip::win32 {

class KeyboardReader {
 public:
  KeysHeld Read();

 private:
  // Whether the layout of the program in front has AltGr; asked only while the right Alt is held,
  // and once for each layout.
  bool FrontLayoutHasAltGr();

  HKL layout_ = nullptr;
  bool layoutHasAltGr_ = false;
};

}  // namespace coverstrip::win32
