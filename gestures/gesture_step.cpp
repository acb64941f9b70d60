#include "gestures/gesture_step.h"

#include <cmath>
#include <limits>
#include <optional>

namespace coverstrip::gestures {
namespace {

// A value computed in double, as the toolkit takes it: single precision, finite and within the
// toolkit's coordinate range. Nothing when it overflows.
std::optional<Twips> ToCoordinate(double value, const Screen& screen) {
  if (!std::isfinite(value) || std::fabs(value) > std::numeric_limits<Twips>::max()) {
    return std::nullopt;
  }
  const auto single = static_cast<Twips>(value);
  if (std::fabs(single) > screen.CoordinateLimit()) return std::nullopt;
  return single;
}

// Moves the window by the offset the strip has inside it, then puts the strip at the corner.
void FollowStrip(FormWindow& form, PictureBox& strip, const Screen& screen) {
  const auto left = ToCoordinate(form.Left() + strip.Left(), screen);
  const auto top = ToCoordinate(form.Top() + strip.Top(), screen);
  if (left && top) form.Move(*left, *top);
  (void)strip.Move(0, 0);
}

void MoveGesture(PictureBox& strip, const Screen& screen, PressPoint press, float x, float y) {
  const auto left = ToCoordinate(strip.Left() + (static_cast<double>(x) - press.x), screen);
  const auto top = ToCoordinate(strip.Top() + (static_cast<double>(y) - press.y), screen);
  if (left && top) (void)strip.Move(*left, *top);
}

void LeftEdgeStretch(PictureBox& strip, const Screen& screen, PressPoint press, float x) {
  const auto left = ToCoordinate(strip.Left() + (static_cast<double>(x) - press.x), screen);
  const auto top = ToCoordinate(strip.Top(), screen);
  const auto width = ToCoordinate(strip.Width() + (press.x - static_cast<double>(x)), screen);
  if (left && top && width) (void)strip.Move(*left, *top, *width);
}

void TopEdgeStretch(PictureBox& strip, const Screen& screen, PressPoint press, float y) {
  const auto left = ToCoordinate(strip.Left(), screen);
  const auto top = ToCoordinate(strip.Top() + (static_cast<double>(y) - press.y), screen);
  const auto width = ToCoordinate(strip.Width(), screen);
  const auto height = ToCoordinate(strip.Height() + (press.y - static_cast<double>(y)), screen);
  if (left && top && width && height) (void)strip.Move(*left, *top, *width, *height);
}

}  // namespace

void GestureStep(FormWindow& form, PictureBox& strip, const Screen& screen, PressPoint press,
                 float x, float y) {
  const std::int16_t shape = strip.MousePointer();
  if (shape == mouse_pointer::kSizeAll) {
    MoveGesture(strip, screen, press, x, y);
  } else if (shape == mouse_pointer::kSizeWestEast) {
    LeftEdgeStretch(strip, screen, press, x);
  } else {
    TopEdgeStretch(strip, screen, press, y);
  }
  FollowStrip(form, strip, screen);
}

}  // namespace coverstrip::gestures
