// The window follows its strip's inner size, held within fixed limits.
#pragma once

#include "platform/contract/toolkit_objects.h"

namespace coverstrip::overlay {

inline constexpr Twips kMinimumWidth = 1500;
inline constexpr Twips kMinimumHeight = 600;
inline constexpr double kHeightFraction = 0.8;
inline constexpr Twips kCloseMarkOffset = 10;

// The highest window height on a screen this high: the product in double, held as single.
Twips HeightLimit(Twips screenHeight);

// Run after each change of the strip's size. Changes the window and the close mark, never the
// strip. The caps are tested only once the minimum is exceeded, so on a tiny screen the cap wins.
void ApplySizeRules(FormWindow& form, const PictureBox& strip, const Screen& screen,
                    Label& closeMark);

}  // namespace coverstrip::overlay
