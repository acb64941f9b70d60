// Reads the DPI with GetDpiForWindow (Windows 10 1607 and later, Wine), falling back to the
// system DPI for a window that does not exist yet, and a monitor's with shcore's GetDpiForMonitor.
#include "platform/win32/pixel_scale.h"

#include <shellscalingapi.h>

namespace coverstrip::win32 {

UINT DpiOf(HWND window) {
  const UINT dpi = window != nullptr ? ::GetDpiForWindow(window) : 0;
  return dpi != 0 ? dpi : ::GetDpiForSystem();
}

float TwipsPerPixelAt(UINT dpi) {
  return static_cast<float>(kTwipsPerInch) / static_cast<float>(dpi);
}

float TwipsPerPixelOf(HWND window) {
  return TwipsPerPixelAt(DpiOf(window));
}

float TwipsPerPixelOf(HMONITOR monitor) {
  UINT dpiX = 0, dpiY = 0;
  if (::GetDpiForMonitor(monitor, MDT_EFFECTIVE_DPI, &dpiX, &dpiY) != S_OK || dpiX == 0) {
    dpiX = ::GetDpiForSystem();
  }
  return TwipsPerPixelAt(dpiX);
}

}  // namespace coverstrip::win32
