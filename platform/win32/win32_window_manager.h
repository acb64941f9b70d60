// The four USER32 calls, passed straight through: the native handle is the HWND, insert-after
// -1 and -2 are HWND_TOPMOST and HWND_NOTOPMOST as USER32 defines them.
#pragma once

#include "platform/contract/window_manager.h"

namespace coverstrip::win32 {

class Win32WindowManager final : public WindowManager {
 public:
  bool SetWindowPos(NativeHandle window, NativeHandle insertAfter, std::int32_t x, std::int32_t y,
                    std::int32_t cx, std::int32_t cy, std::uint32_t flags) override;
  std::int32_t GetWindowLongA(NativeHandle window, std::int32_t index) override;
  std::int32_t SetWindowLongA(NativeHandle window, std::int32_t index, std::int32_t value) override;
  bool SetLayeredWindowAttributes(NativeHandle window, Colour key, std::uint8_t alpha,
                                  std::uint32_t flags) override;
};

}  // namespace coverstrip::win32
