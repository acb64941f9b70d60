// Reads the DPI with GetDpiForWindow (Windows 10 1607 and later, Wine), falling back to the
// system DPI for a window that does not exist yet.
#include "platform/win32/pixel_scale.h"

namespace coverstrip::win32 {

UINT DpiOf(HWND window) {
  const UINT dpi = window != nullptr ? ::GetDpiForWindow(window) : 0;
  return dpi != 0 ? dpi : ::GetDpiForSystem();
}

float TwipsPerPixelOf(HWND window) {
  constexpr float kTwipsPerInch = 1440;
  return kTwipsPerInch / static_cast<float>(DpiOf(window));
}

}  // namespace coverstrip::win32
