// The window follows its strip's inner size, held within fixed limits and within the monitor that
// holds most of it.
#pragma once

#include "platform/contract/toolkit_objects.h"

namespace coverstrip::overlay {

inline constexpr Twips kMinimumWidth = 1500;
inline constexpr Twips kMinimumHeight = 600;
inline constexpr double kHeightFraction = 0.8;
inline constexpr Twips kCloseMarkOffset = 10;

// The highest window height on a monitor this high: the product in double, held as single.
Twips HeightLimit(Twips monitorHeight);

// Run after each change of the strip's size. Changes the window and the close mark, never the
// strip. The caps are the size of the monitor that holds most of the window, in its own twips,
// wherever the screen's origin is; they are tested only once the minimum is exceeded, so on a
// tiny monitor the cap wins.
void ApplySizeRules(FormWindow& form, const PictureBox& strip, const Screen& screen,
                    Label& closeMark);

}  // namespace coverstrip::overlay
