// The translucency cycle: 13 levels from 0 to 60 per cent, applied as one constant alpha.
#pragma once

#include <cstdint>

#include "platform/contract/window_manager.h"

namespace coverstrip::overlay {

inline constexpr std::int16_t kTransparencyStep = 5;
inline constexpr std::int16_t kHighestTransparency = 60;
inline constexpr double kAlphaPerPercent = 2.55;

// The alpha for a transparency in per cent: floor((100 - percent) * 2.55), the product rounded
// to double first. 100 per cent opaque gives 254, since 2.55 is held a little below itself.
std::int16_t AlphaForTransparency(std::int16_t percent);

// The percentage the double-click after this one applies.
std::int16_t NextTransparency(std::int16_t percent);

// Makes the window layered, keeping every other extended-style flag, and gives it the alpha.
void ApplyTransparency(WindowManager& windowManager, NativeHandle window, std::int16_t percent);

}  // namespace coverstrip::overlay
