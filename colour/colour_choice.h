// The right button's colour choice: the covering colour of the strip and the window, and the
// close mark's contrasting colour.
#pragma once

#include "platform/contract/platform.h"

namespace coverstrip::colour {

inline constexpr Colour kPureRed = 0x0000FF;
inline constexpr Colour kBlack = 0x000000;

// The close mark's text colour on a strip of this colour: black on pure red, red on any other.
Colour CloseMarkColourOn(Colour stripColour);

// Opens the chooser with the window out of the topmost band and the keep-on-top timer stopped,
// and recolours on a confirmed choice. A cancel, or a chooser that cannot be created, keeps the
// colours; the timer runs again afterwards in every case, and its next tick restores the top.
void ChooseCoveringColour(Platform& platform);

}  // namespace coverstrip::colour
