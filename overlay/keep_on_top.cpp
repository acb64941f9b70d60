#include "overlay/keep_on_top.h"

#include <algorithm>

#include "platform/contract/window_manager.h"

namespace coverstrip::overlay {

// The transient windows that a user opens and that go of themselves: covering one would hide
// what the user has just asked for.
bool StandsAsideFor(WindowRole role) {
  return role != WindowRole::kOrdinary && role != WindowRole::kStrip;
}

std::optional<NativeHandle> KeepOnTopInsertAfter(const std::vector<WindowAbove>& above) {
  const auto isOrdinary = [](const WindowAbove& w) { return w.role == WindowRole::kOrdinary; };
  const auto topOrdinary = std::find_if(above.rbegin(), above.rend(), isOrdinary);
  if (topOrdinary == above.rend()) return std::nullopt;
  const auto next = topOrdinary.base();  // the window just above it, if any
  // A strip between this one and the window to cover rises first; this one then follows it to
  // just below it, and the two keep their order.
  const bool stripRisesFirst = std::any_of(
      above.begin(), next, [](const WindowAbove& w) { return w.role == WindowRole::kStrip; });
  if (stripRisesFirst) return std::nullopt;
  return next != above.end() ? next->window : wm::kInsertTopmost;
}

}  // namespace coverstrip::overlay
