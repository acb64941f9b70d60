#include "overlay/opacity.h"

#include <cmath>

namespace coverstrip::overlay {

std::int16_t AlphaForTransparency(std::int16_t percent) {
  const auto opaquePercent = static_cast<std::int16_t>(100 - percent);
  // volatile keeps the product a rounded double even where the compiler could keep it wider.
  const volatile double product = static_cast<double>(opaquePercent) * kAlphaPerPercent;
  return static_cast<std::int16_t>(std::floor(product));
}

std::int16_t NextTransparency(std::int16_t percent) {
  auto next = static_cast<std::int16_t>(percent + kTransparencyStep);
  if (next > kHighestTransparency) next = 0;
  return next;
}

void ApplyTransparency(WindowManager& windowManager, NativeHandle window, std::int16_t percent) {
  const std::int16_t alpha = AlphaForTransparency(percent);
  const std::int32_t style = windowManager.GetWindowLongA(window, wm::kExStyleIndex);
  windowManager.SetWindowLongA(window, wm::kExStyleIndex, style | wm::kExStyleLayered);
  windowManager.SetLayeredWindowAttributes(window, 0, static_cast<std::uint8_t>(alpha),
                                           wm::kLayeredAlpha);
}

}  // namespace coverstrip::overlay
