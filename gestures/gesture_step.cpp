#include "gestures/gesture_step.h"

#include <cmath>
#include <limits>
#include <optional>

namespace coverstrip::gestures {
namespace {

// A value computed in double, as the toolkit takes it: single precision. Nothing when it is not
// finite or overflows single precision; the toolkit refuses a value beyond its own range.
std::optional<Twips> ToCoordinate(double value) {
  if (!std::isfinite(value) || std::fabs(value) > std::numeric_limits<Twips>::max()) {
    return std::nullopt;
  }
  return static_cast<Twips>(value);
}

// Moves the window by the offset the strip has inside it, then puts the strip at the corner.
void FollowStrip(FormWindow& form, PictureBox& strip) {
  const auto left = ToCoordinate(form.Left() + strip.Left());
  const auto top = ToCoordinate(form.Top() + strip.Top());
  if (left && top) form.Move(*left, *top);
  (void)strip.Move(0, 0);
}

void MoveGesture(PictureBox& strip, PressPoint press, float x, float y) {
  const auto left = ToCoordinate(strip.Left() + (static_cast<double>(x) - press.x));
  const auto top = ToCoordinate(strip.Top() + (static_cast<double>(y) - press.y));
  if (left && top) (void)strip.Move(*left, *top);
}

void LeftEdgeStretch(PictureBox& strip, PressPoint press, float x) {
  const auto left = ToCoordinate(strip.Left() + (static_cast<double>(x) - press.x));
  const auto top = ToCoordinate(strip.Top());
  const auto width = ToCoordinate(strip.Width() + (press.x - static_cast<double>(x)));
  if (left && top && width) (void)strip.Move(*left, *top, *width);
}

void TopEdgeStretch(PictureBox& strip, PressPoint press, float y) {
  const auto left = ToCoordinate(strip.Left());
  const auto top = ToCoordinate(strip.Top() + (static_cast<double>(y) - press.y));
  const auto width = ToCoordinate(strip.Width());
  const auto height = ToCoordinate(strip.Height() + (press.y - static_cast<double>(y)));
  if (left && top && width && height) (void)strip.Move(*left, *top, *width, *height);
}

}  // namespace

void GestureStep(FormWindow& form, PictureBox& strip, PressPoint press, float x, float y) {
  const std::int16_t shape = strip.MousePointer();
  if (shape == mouse_pointer::kSizeAll) {
    MoveGesture(strip, press, x, y);
  } else if (shape == mouse_pointer::kSizeWestEast) {
    LeftEdgeStretch(strip, press, x);
  } else {
    TopEdgeStretch(strip, press, y);
  }
  FollowStrip(form, strip);
}

}  // namespace coverstrip::gestures
