// The window-manager calls that the emulated window manager makes of the X11 form: raise, lower
// and window opacity.
#pragma once

#include <QWidget>
#include <cstdint>

#include "platform/shared/emulated_window_manager.h"

namespace coverstrip::qt {

class QtStacking final : public Stacking {
 public:
  explicit QtStacking(QWidget& form) : form_(form) {}
  void Restack(bool topmost, bool activate) override;
  void SetOpacity(std::uint8_t alpha) override;

 private:
  QWidget& form_;
};

}  // namespace coverstrip::qt
