// The window-manager calls that the emulated window manager makes of the X11 form: raise, lower,
// a place just below another window (through x11_stacking.h) and window opacity.
#pragma once

#include <QWidget>
#include <cstdint>

#include "platform/qt/x11_stacking.h"
#include "platform/shared/emulated_window_manager.h"

namespace coverstrip::qt {

class QtStacking final : public Stacking {
 public:
  QtStacking(QWidget& form, X11Stacking& x11) : form_(form), x11_(x11) {}
  void Restack(bool topmost, bool activate) override;
  void StackBelow(NativeHandle window) override {
    x11_.StackBelow(form_.winId(), static_cast<std::uintptr_t>(window));
  }
  void SetOpacity(std::uint8_t alpha) override;

 private:
  QWidget& form_;
  X11Stacking& x11_;
};

}  // namespace coverstrip::qt
