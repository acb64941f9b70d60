// Twips to whole device pixels and back, at the DPI the form's pixels have now, and the one rule
// of the platform's coordinate range: a position or size set in twips beyond it is refused, one
// that a change of DPI scales beyond it is clamped.
#pragma once

#include <cstdint>
#include <optional>

#include "platform/contract/types.h"

namespace coverstrip {

class PixelConversion {
 public:
  PixelConversion(float twipsPerPixel, std::int32_t limit);

  float TwipsPerPixel() const { return twipsPerPixel_; }
  void SetTwipsPerPixel(float twipsPerPixel) { twipsPerPixel_ = twipsPerPixel; }

  Twips ToTwips(std::int32_t pixels) const;
  Twips ToTwips(double pixels) const;
  // Whole pixels, offset by origin; nothing for a value not finite or beyond the platform's range.
  std::optional<std::int32_t> ToPixels(Twips twips, std::int32_t origin = 0) const;
  // Rounded to whole pixels and clamped into the platform's range, where a larger value would
  // wrap around.
  std::int32_t InRange(double pixels) const;

 private:
  float twipsPerPixel_;
  // The largest magnitude a position or size may have, in pixels: larger ones would wrap around.
  std::int32_t limit_;
};

}  // namespace coverstrip
