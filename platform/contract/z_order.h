// What stands above a window, as the platform shows it: every shown top-level window above it,
// with what it is. Which of them the strip stands aside for is the logic's decision
// (overlay/keep_on_top.h); the platform only tells them apart.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/contract/types.h"

namespace coverstrip {

enum class WindowRole : std::uint8_t {
  kOrdinary,  // an application's window, a fullscreen player among them
  kStrip,     // the window of another copy of this program
  kMenu,
  kTooltip,
  kComboList,
  kInputMethod,
  kDragImage,
  kNotification,
  // X11: a window that bypasses the window manager and says nothing of itself (xterm's menus,
  // screen lockers).
  kUnmanagedPopup,
};

struct WindowAbove {
  NativeHandle window = 0;
  WindowRole role = WindowRole::kOrdinary;
  bool operator==(const WindowAbove&) const = default;
};

class ZOrder {
 public:
  virtual ~ZOrder() = default;
  // Fills above with the windows above window, the nearest first; false where the platform
  // cannot tell (yet).
  virtual bool WindowsAbove(NativeHandle window, std::vector<WindowAbove>& above) = 0;
};

}  // namespace coverstrip
