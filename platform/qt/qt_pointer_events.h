// Qt's mouse events as the shared layer takes native input: the button, and the buttons and
// keys held after the event.
#pragma once

#include <QMouseEvent>
#include <QPointF>
#include <optional>

#include "platform/shared/backend.h"

namespace coverstrip::qt {

// Nothing for a button the strip does not take.
std::optional<PointerButton> ButtonOf(Qt::MouseButton button);

// The event at a position in pixels relative to the strip.
PointerEvent ToPointerEvent(QPointF at, const QMouseEvent& event);

}  // namespace coverstrip::qt
