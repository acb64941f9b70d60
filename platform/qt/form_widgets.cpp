#include "platform/qt/form_widgets.h"

#include <QMouseEvent>
#include <QTimer>
#include <utility>

#include "platform/types.h"

namespace coverstrip::qt {
namespace {

std::int16_t ButtonCode(Qt::MouseButton button) {
  switch (button) {
    case Qt::LeftButton:
      return mouse_button::kLeft;
    case Qt::RightButton:
      return mouse_button::kRight;
    case Qt::MiddleButton:
      return mouse_button::kMiddle;
    default:
      return 0;
  }
}

std::int16_t ButtonsHeld(Qt::MouseButtons buttons) {
  std::int16_t held = 0;
  for (const Qt::MouseButton button : {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton}) {
    if (buttons.testFlag(button)) held = static_cast<std::int16_t>(held | ButtonCode(button));
  }
  return held;
}

// Shift 1, Ctrl 2, Alt 4, as the form's handlers number them.
std::int16_t ShiftState(Qt::KeyboardModifiers modifiers) {
  std::int16_t shift = 0;
  if (modifiers.testFlag(Qt::ShiftModifier)) shift |= 1;
  if (modifiers.testFlag(Qt::ControlModifier)) shift |= 2;
  if (modifiers.testFlag(Qt::AltModifier)) shift |= 4;
  return shift;
}

PointerEvent Decode(const QMouseEvent& event, std::int16_t button) {
  return {button, ShiftState(event.modifiers()), event.globalPosition()};
}

}  // namespace

// --- window ---

FormWidget::FormWidget(std::function<void()> onGeometryReport)
    : onGeometryReport_(std::move(onGeometryReport)) {}

// Spontaneous move and resize events come from ConfigureNotify; those Qt sends itself while
// setting the geometry are not spontaneous.
void FormWidget::moveEvent(QMoveEvent* event) {
  if (event->spontaneous()) GeometryReported();
}

void FormWidget::resizeEvent(QResizeEvent* event) {
  if (event->spontaneous()) GeometryReported();
}

void FormWidget::GeometryReported() {
  if (reportQueued_) return;
  reportQueued_ = true;
  QTimer::singleShot(0, this, [this] {
    reportQueued_ = false;
    onGeometryReport_();
  });
}

// --- strip ---

StripWidget::StripWidget(QWidget& parent, StripInput& input) : QWidget(&parent), input_(input) {
  setMouseTracking(true);
  setFocusPolicy(Qt::NoFocus);
  setAutoFillBackground(true);
}

void StripWidget::ReportPress(QMouseEvent& event) {
  event.accept();
  // A release that went elsewhere (to a modal dialog) must not hide the next press.
  pressed_ &= event.buttons();
  const std::int16_t button = ButtonCode(event.button());
  if (button == 0 || pressed_.testFlag(event.button())) return;
  pressed_.setFlag(event.button());
  input_.StripMouseDown(Decode(event, button));
}

void StripWidget::mousePressEvent(QMouseEvent* event) {
  ReportPress(*event);
}

void StripWidget::mouseDoubleClickEvent(QMouseEvent* event) {
  ReportPress(*event);
  if (event->button() == Qt::LeftButton) input_.StripDblClick();
}

void StripWidget::mouseMoveEvent(QMouseEvent* event) {
  event->accept();
  pressed_ &= event->buttons();
  input_.StripMouseMove(Decode(*event, ButtonsHeld(event->buttons())));
}

void StripWidget::mouseReleaseEvent(QMouseEvent* event) {
  event->accept();
  const std::int16_t button = ButtonCode(event->button());
  if (button == 0) return;
  pressed_.setFlag(event->button(), false);
  input_.StripMouseUp(Decode(*event, button));
}

// --- close mark ---

CloseMarkWidget::CloseMarkWidget(QWidget& parent, StripInput& input)
    : QLabel(&parent), input_(input) {
  setFocusPolicy(Qt::NoFocus);
  setAttribute(Qt::WA_NoMousePropagation);
}

void CloseMarkWidget::mousePressEvent(QMouseEvent* event) {
  event->accept();
}

void CloseMarkWidget::mouseDoubleClickEvent(QMouseEvent* event) {
  event->accept();
  if (event->button() == Qt::LeftButton) input_.CloseMarkDblClick();
}

void CloseMarkWidget::mouseMoveEvent(QMouseEvent* event) {
  event->accept();
}

void CloseMarkWidget::mouseReleaseEvent(QMouseEvent* event) {
  event->accept();
}

}  // namespace coverstrip::qt
