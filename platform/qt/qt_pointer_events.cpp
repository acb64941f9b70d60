#include "platform/qt/qt_pointer_events.h"

namespace coverstrip::qt {

std::optional<PointerButton> ButtonOf(Qt::MouseButton button) {
  switch (button) {
    case Qt::LeftButton:
      return PointerButton::kLeft;
    case Qt::RightButton:
      return PointerButton::kRight;
    case Qt::MiddleButton:
      return PointerButton::kMiddle;
    default:
      return std::nullopt;
  }
}

PointerEvent ToPointerEvent(QPointF at, const QMouseEvent& event) {
  const Qt::MouseButtons held = event.buttons();
  const Qt::KeyboardModifiers keys = event.modifiers();
  return {.x = at.x(),
          .y = at.y(),
          .left = held.testFlag(Qt::LeftButton),
          .right = held.testFlag(Qt::RightButton),
          .middle = held.testFlag(Qt::MiddleButton),
          .shift = keys.testFlag(Qt::ShiftModifier),
          .ctrl = keys.testFlag(Qt::ControlModifier),
          .alt = keys.testFlag(Qt::AltModifier)};
}

}  // namespace coverstrip::qt
