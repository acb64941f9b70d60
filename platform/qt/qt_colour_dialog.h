// Qt's widget dialog rather than a desktop's native one, so that it behaves alike everywhere: a
// managed window that the window manager maps above the lowered overlay and gives the focus to.
#pragma once

#include <optional>

#include "platform/shared/backend.h"

namespace coverstrip::qt {

class QtColourDialog final : public ColourDialog {
 public:
  std::optional<Colour> Show() override;
};

}  // namespace coverstrip::qt
