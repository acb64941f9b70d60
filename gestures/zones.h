// Which zone of the strip the pointer is in, and the press point as it is recorded.
#pragma once

#include <cstdint>
#include <optional>

namespace coverstrip::gestures {

// Width of the left band and height of the top band, in twips.
inline constexpr float kBandSize = 150;

// The strip's pointer shape for a position relative to it: the left band (9) wins over the top
// band (7) in their shared corner; everywhere else is the body (15).
std::int16_t ZoneShape(float x, float y);

// A press coordinate rounded to the nearest whole twip, halves to even. Nothing for a value
// that no 32-bit integer holds.
std::optional<std::int32_t> RoundPressCoordinate(float coordinate);

}  // namespace coverstrip::gestures
