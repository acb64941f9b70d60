// Twips to whole device pixels and back, for the backends that hold sizes in pixels.
#pragma once

#include <cmath>
#include <cstdint>
#include <optional>

#include "platform/types.h"

namespace coverstrip {

class TwipsScale {
 public:
  explicit TwipsScale(float twipsPerPixel) : twipsPerPixel_(twipsPerPixel) {}

  float TwipsPerPixel() const { return twipsPerPixel_; }

  // Nearest whole pixel, halves away from zero; nothing for a value beyond limitPixels.
  std::optional<std::int32_t> ToPixels(Twips twips, std::int32_t limitPixels) const {
    const double pixels = std::round(static_cast<double>(twips) / twipsPerPixel_);
    if (!std::isfinite(pixels) || std::fabs(pixels) > limitPixels) return std::nullopt;
    return static_cast<std::int32_t>(pixels);
  }

  Twips ToTwips(std::int32_t pixels) const {
    return static_cast<Twips>(static_cast<double>(pixels) * twipsPerPixel_);
  }

 private:
  float twipsPerPixel_;
};

}  // namespace coverstrip
