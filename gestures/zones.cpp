#include "gestures/zones.h"

#include <cmath>

#include "platform/contract/types.h"

namespace coverstrip::gestures {

std::int16_t ZoneShape(float x, float y) {
  if (x < kBandSize) return mouse_pointer::kSizeWestEast;
  if (y < kBandSize) return mouse_pointer::kSizeNorthSouth;
  return mouse_pointer::kSizeAll;
}

std::optional<std::int32_t> RoundPressCoordinate(float coordinate) {
  const double rounded = std::nearbyint(static_cast<double>(coordinate));  // ties to even
  if (!(rounded >= INT32_MIN && rounded <= INT32_MAX)) return std::nullopt;
  return static_cast<std::int32_t>(rounded);
}

}  // namespace coverstrip::gestures
