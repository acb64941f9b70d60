// The pointer's capture as the strip and the close mark keep it: taken at each press, so that a
// drag stays with the window it began in, and let go at the release of the last button held.
#pragma once

#include "platform/win32/windows_api.h"

namespace coverstrip::win32 {

inline constexpr WPARAM kPointerButtons = MK_LBUTTON | MK_RBUTTON | MK_MBUTTON;

// At a release, whose key flags are keys: the capture goes once no button is held any more.
inline void ReleaseCaptureAfterLastButton(HWND window, WPARAM keys) {
  if ((keys & kPointerButtons) == 0 && ::GetCapture() == window) ::ReleaseCapture();
}

}  // namespace coverstrip::win32
