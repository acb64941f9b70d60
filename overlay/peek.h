// Peeking under the strip: while Ctrl and Alt are held together, and nothing else, the window is
// hidden; once either is let go it is shown again, as it was. Only the window's visibility
// changes: geometry, colours, the press point and the translucency stay as they are.
#pragma once

#include "platform/contract/keyboard.h"
#include "platform/contract/toolkit_objects.h"

namespace coverstrip::overlay {

// Either Ctrl and either Alt held, and no other key.
bool IsPeekChord(const KeysHeld& keys);

// One tick of the rule; the window is hidden while steppingAside too (a paused video). True when
// it has just shown the window again, which then has to be put back on top of whatever was raised
// meanwhile.
bool PeekStep(const Keyboard& keyboard, FormWindow& form, bool steppingAside = false);

}  // namespace coverstrip::overlay
