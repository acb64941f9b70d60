// Screen size from GetSystemMetrics, which a per-monitor aware process gets in physical pixels;
// the end of the process is ExitProcess, which runs no window's clean-up.
#include "platform/win32/win32_toolkit.h"

#include "platform/win32/pixel_scale.h"

namespace coverstrip::win32 {

Twips Win32Screen::Width() const {
  return form_.Scale().ToTwips(::GetSystemMetrics(SM_CXSCREEN));
}

Twips Win32Screen::Height() const {
  return form_.Scale().ToTwips(::GetSystemMetrics(SM_CYSCREEN));
}

Twips Win32Screen::CoordinateLimit() const {
  return form_.Scale().ToTwips(kCoordinateLimitPixels);
}

void Win32Process::End() {
  ::ExitProcess(0);
}

}  // namespace coverstrip::win32
