// The extended-style word and layered alpha of a window, kept with the Win32 rules for the
// toolkits that have no such word: GWL_EXSTYLE reads and writes it, the topmost bit follows
// SetWindowPos, and a constant alpha takes effect only on a layered window.
#pragma once

#include <cstdint>
#include <optional>

#include "platform/window_manager.h"

namespace coverstrip {

class EmulatedWindowStyles {
 public:
  void SetTopmost(bool topmost) {
    exStyle_ = topmost ? (exStyle_ | wm::kExStyleTopmost) : (exStyle_ & ~wm::kExStyleTopmost);
  }

  std::int32_t Get(std::int32_t index) const { return index == wm::kExStyleIndex ? exStyle_ : 0; }

  // Returns the previous value, as SetWindowLongA does; other indices keep nothing.
  std::int32_t Set(std::int32_t index, std::int32_t value) {
    if (index != wm::kExStyleIndex) return 0;
    const std::int32_t previous = exStyle_;
    // The topmost bit belongs to SetWindowPos, not to SetWindowLongA.
    exStyle_ = (value & ~wm::kExStyleTopmost) | (exStyle_ & wm::kExStyleTopmost);
    return previous;
  }

  bool Layered() const { return (exStyle_ & wm::kExStyleLayered) != 0; }

  // The alpha to show, or nothing when the call fails (window not layered, no LWA_ALPHA).
  std::optional<std::uint8_t> AlphaFor(std::uint8_t alpha, std::uint32_t flags) const {
    if (!Layered() || (flags & wm::kLayeredAlpha) == 0) return std::nullopt;
    return alpha;
  }

 private:
  std::int32_t exStyle_ = 0;
};

}  // namespace coverstrip
