// Value types shared by the logic and every backend: twips, colours, native handles and the
// pointer-shape numbers of the strip.
#pragma once

#include <cstdint>

namespace coverstrip {

// Positions and sizes: single-precision twips, kTwipsPerInch to the inch.
using Twips = float;
inline constexpr std::int32_t kTwipsPerInch = 1440;

// A rectangle in twips: a position and a size.
struct TwipsRect {
  Twips left = 0;
  Twips top = 0;
  Twips width = 0;
  Twips height = 0;
};

// 0x00BBGGRR: 0 is black, 0x0000FF pure red.
using Colour = std::uint32_t;

// The window's native handle as the window-manager calls take it (an HWND on Windows).
using NativeHandle = std::intptr_t;

// Values of the strip's MousePointer property.
namespace mouse_pointer {
inline constexpr std::int16_t kSizeWestEast = 9;
inline constexpr std::int16_t kSizeNorthSouth = 7;
inline constexpr std::int16_t kSizeAll = 15;
}  // namespace mouse_pointer

// Bits of a pointer event's button state.
namespace mouse_button {
inline constexpr std::int16_t kLeft = 1;
inline constexpr std::int16_t kRight = 2;
inline constexpr std::int16_t kMiddle = 4;
}  // namespace mouse_button

}  // namespace coverstrip
