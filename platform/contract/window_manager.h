// The four calls of the Windows window manager (USER32) that the logic makes, with the
// constants it passes. Other backends keep the same calls with the same meaning.
#pragma once

#include <cstdint>

#include "platform/contract/types.h"

namespace coverstrip {

namespace wm {
// insert-after values of SetWindowPos (HWND_TOPMOST, HWND_NOTOPMOST)
inline constexpr NativeHandle kInsertTopmost = -1;
inline constexpr NativeHandle kInsertNotTopmost = -2;
// SetWindowPos flags (SWP_NOSIZE, SWP_NOMOVE, SWP_NOACTIVATE)
inline constexpr std::uint32_t kNoSize = 0x1;
inline constexpr std::uint32_t kNoMove = 0x2;
inline constexpr std::uint32_t kNoActivate = 0x10;
// GetWindowLongA / SetWindowLongA index (GWL_EXSTYLE) and extended-style bits
inline constexpr std::int32_t kExStyleIndex = -20;
inline constexpr std::int32_t kExStyleTopmost = 0x8;
inline constexpr std::int32_t kExStyleLayered = 0x80000;
// SetLayeredWindowAttributes flag (LWA_ALPHA)
inline constexpr std::uint32_t kLayeredAlpha = 0x2;
}  // namespace wm

class WindowManager {
 public:
  virtual ~WindowManager() = default;
  virtual bool SetWindowPos(NativeHandle window, NativeHandle insertAfter, std::int32_t x,
                            std::int32_t y, std::int32_t cx, std::int32_t cy,
                            std::uint32_t flags) = 0;
  virtual std::int32_t GetWindowLongA(NativeHandle window, std::int32_t index) = 0;
  virtual std::int32_t SetWindowLongA(NativeHandle window, std::int32_t index,
                                      std::int32_t value) = 0;
  virtual bool SetLayeredWindowAttributes(NativeHandle window, Colour key, std::uint8_t alpha,
                                          std::uint32_t flags) = 0;
};

}  // namespace coverstrip
