#include "platform/shared/pixel_conversion.h"

#include <algorithm>
#include <cmath>

namespace coverstrip {

PixelConversion::PixelConversion(float twipsPerPixel, std::int32_t limit)
    : twipsPerPixel_(twipsPerPixel), limit_(limit) {}

Twips PixelConversion::ToTwips(std::int32_t pixels) const {
  return ToTwips(static_cast<double>(pixels));
}

Twips PixelConversion::ToTwips(double pixels) const {
  return static_cast<Twips>(pixels * static_cast<double>(twipsPerPixel_));
}

std::optional<std::int32_t> PixelConversion::ToPixels(Twips twips, std::int32_t origin) const {
  const double pixels =
      std::round(static_cast<double>(twips) / static_cast<double>(twipsPerPixel_)) + origin;
  if (!std::isfinite(pixels) || std::fabs(pixels) > limit_) {
    return std::nullopt;
  }
  return static_cast<std::int32_t>(pixels);
}

std::int32_t PixelConversion::InRange(double pixels) const {
  return static_cast<std::int32_t>(
      std::clamp(std::round(pixels), -static_cast<double>(limit_), static_cast<double>(limit_)));
}

}  // namespace coverstrip
