#include "platform/shared/emulated_window_manager.h"

namespace coverstrip {

bool EmulatedWindowManager::SetWindowPos(NativeHandle window, NativeHandle insertAfter,
                                         std::int32_t /*x*/, std::int32_t /*y*/,
                                         std::int32_t /*cx*/, std::int32_t /*cy*/,
                                         std::uint32_t flags) {
  if (!IsForm(window)) return false;
  const bool band = insertAfter == wm::kInsertTopmost || insertAfter == wm::kInsertNotTopmost;
  // Another window as insert-after (HWND_TOP, 0, and HWND_BOTTOM, 1, are not kept here): only
  // from within the topmost band, without activation, as the keep-on-top makes it.
  if (!band && (insertAfter <= 1 || insertAfter == window || (flags & wm::kNoActivate) == 0 ||
                (exStyle_ & wm::kExStyleTopmost) == 0)) {
    return false;
  }
  const bool topmost = insertAfter != wm::kInsertNotTopmost;
  exStyle_ = topmost ? (exStyle_ | wm::kExStyleTopmost) : (exStyle_ & ~wm::kExStyleTopmost);
  if (band) {
    stacking_.Restack(topmost, (flags & wm::kNoActivate) == 0);
  } else {
    stacking_.StackBelow(insertAfter);
  }
  return true;
}

std::int32_t EmulatedWindowManager::GetWindowLongA(NativeHandle window, std::int32_t index) {
  return IsForm(window) && index == wm::kExStyleIndex ? exStyle_ : 0;
}

// Returns the previous value, as SetWindowLongA does; other indices keep nothing.
std::int32_t EmulatedWindowManager::SetWindowLongA(NativeHandle window, std::int32_t index,
                                                   std::int32_t value) {
  if (!IsForm(window) || index != wm::kExStyleIndex) return 0;
  const std::int32_t previous = exStyle_;
  // The topmost bit belongs to SetWindowPos, not to SetWindowLongA.
  exStyle_ = (value & ~wm::kExStyleTopmost) | (exStyle_ & wm::kExStyleTopmost);
  return previous;
}

bool EmulatedWindowManager::SetLayeredWindowAttributes(NativeHandle window, Colour /*key*/,
                                                       std::uint8_t alpha, std::uint32_t flags) {
  const bool layered = (exStyle_ & wm::kExStyleLayered) != 0;
  if (!IsForm(window) || !layered || (flags & wm::kLayeredAlpha) == 0) return false;
  stacking_.SetOpacity(alpha);
  return true;
}

}  // namespace coverstrip
