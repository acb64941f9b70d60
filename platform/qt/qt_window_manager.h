// The four USER32 calls on Qt under X11. SetWindowPos carries out only the z-order: topmost
// raises the window (and this process's visible tooltips above it, as their owner's topmost
// band would keep them), not topmost lowers it below every other window so that the colour
// dialog is never hidden under it. The extended-style word and layered alpha live in
// EmulatedWindowStyles; a layered alpha becomes the window opacity, which Qt writes to
// _NET_WM_WINDOW_OPACITY as alpha x 0x01010101 (shown only where a compositor runs).
#pragma once

#include "platform/emulated_window_styles.h"
#include "platform/qt/qt_toolkit.h"
#include "platform/window_manager.h"

namespace coverstrip::qt {

class QtWindowManager final : public WindowManager {
 public:
  explicit QtWindowManager(QtForm& form) : form_(form) {}
  bool SetWindowPos(NativeHandle window, NativeHandle insertAfter, std::int32_t x, std::int32_t y,
                    std::int32_t cx, std::int32_t cy, std::uint32_t flags) override;
  std::int32_t GetWindowLongA(NativeHandle window, std::int32_t index) override;
  std::int32_t SetWindowLongA(NativeHandle window, std::int32_t index, std::int32_t value) override;
  bool SetLayeredWindowAttributes(NativeHandle window, Colour key, std::uint8_t alpha,
                                  std::uint32_t flags) override;

 private:
  bool IsForm(NativeHandle window) const { return window == form_.hWnd(); }

  QtForm& form_;
  EmulatedWindowStyles styles_;
};

}  // namespace coverstrip::qt
