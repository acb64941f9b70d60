// One step of a left-button drag: move the window, or stretch it from its left or top edge.
#pragma once

#include <cstdint>

#include "platform/contract/toolkit_objects.h"

namespace coverstrip::gestures {

struct PressPoint {
  std::int32_t x;
  std::int32_t y;
};

// Chooses the gesture from the strip's pointer shape, then works through the strip: moves or
// resizes it by the pointer's offset from the press point, moves the window by the offset the
// strip then has, and puts the strip back at the window's corner. Each of the three operations
// that the toolkit refuses, or whose argument overflows single precision, is skipped and the next
// one runs.
void GestureStep(FormWindow& form, PictureBox& strip, PressPoint press, float x, float y);

}  // namespace coverstrip::gestures
