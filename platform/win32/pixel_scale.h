// Device pixels on Win32: kTwipsPerInch to the inch at the dots per inch of the window (per-monitor
// aware; Wine reports the system DPI only), and the pixel range of Win32's 32-bit coordinates.
#pragma once

#include <cstdint>
#include <limits>

#include "platform/contract/types.h"
#include "platform/win32/windows_api.h"

namespace coverstrip::win32 {

// Half the int32 range, so that a rectangle's right or bottom edge (position plus size) still
// fits in a RECT.
inline constexpr std::int32_t kCoordinateLimitPixels = std::numeric_limits<std::int32_t>::max() / 2;

// The dots per inch of a window, or of the system before the window exists (null).
UINT DpiOf(HWND window);

float TwipsPerPixelAt(UINT dpi);
float TwipsPerPixelOf(HWND window);
float TwipsPerPixelOf(HMONITOR monitor);

}  // namespace coverstrip::win32
