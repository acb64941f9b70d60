// The keyboard's global state on Windows: GetAsyncKeyState's "held now" bit for each virtual key,
// which reflects the physical keyboard whichever program has the focus, with no hook. Ctrl and Alt
// are told apart by side (VK_LCONTROL, VK_RCONTROL, VK_LMENU, VK_RMENU); every other key code but
// the pointer buttons counts as another key, Shift and the lock keys included; those are read only
// while a Ctrl or an Alt is held.
#pragma once

#include "platform/contract/keyboard.h"

namespace coverstrip::win32 {

KeysHeld ReadHeldKeys();

}  // namespace coverstrip::win32
