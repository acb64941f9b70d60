// Positions and sizes in whole pixels as every toolkit takes them: the designed rectangles of
// the window tree, and what a strip Move asks for.
#pragma once

#include <cstdint>
#include <optional>

#include "platform/twips_scale.h"
#include "platform/window_design.h"

namespace coverstrip {

struct PixelGeometry {
  std::int32_t left = 0;
  std::int32_t top = 0;
  std::int32_t width = 0;
  std::int32_t height = 0;
  bool operator==(const PixelGeometry&) const = default;
};

// A designed rectangle; a value beyond the toolkit's range becomes 0.
inline PixelGeometry DesignedGeometry(const TwipsScale& scale, std::int32_t limitPixels,
                                      const RectDesign& design) {
  const auto pixels = [&](Twips twips) { return scale.ToPixels(twips, limitPixels).value_or(0); };
  return {pixels(design.left), pixels(design.top), pixels(design.width), pixels(design.height)};
}

// What a strip Move asks for: an omitted size keeps the current one. Nothing when the move is
// refused (a size below zero, or a value beyond the toolkit's range); nothing then changes.
inline std::optional<PixelGeometry> RequestedStripGeometry(const TwipsScale& scale,
                                                           std::int32_t limitPixels, Twips left,
                                                           Twips top, std::optional<Twips> width,
                                                           std::optional<Twips> height,
                                                           std::int32_t currentWidth,
                                                           std::int32_t currentHeight) {
  if ((width && *width < 0) || (height && *height < 0)) return std::nullopt;
  const auto x = scale.ToPixels(left, limitPixels);
  const auto y = scale.ToPixels(top, limitPixels);
  const auto w = width ? scale.ToPixels(*width, limitPixels) : std::optional(currentWidth);
  const auto h = height ? scale.ToPixels(*height, limitPixels) : std::optional(currentHeight);
  if (!x || !y || !w || !h) return std::nullopt;
  return PixelGeometry{*x, *y, *w, *h};
}

}  // namespace coverstrip
