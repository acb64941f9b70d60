#include "platform/shared/input_translation.h"

namespace coverstrip {
namespace {

std::int16_t ButtonCode(PointerButton button) {
  switch (button) {
    case PointerButton::kLeft:
      return mouse_button::kLeft;
    case PointerButton::kRight:
      return mouse_button::kRight;
    case PointerButton::kMiddle:
      return mouse_button::kMiddle;
  }
  return 0;
}

std::int16_t ButtonsHeld(const PointerEvent& event) {
  return static_cast<std::int16_t>((event.left ? mouse_button::kLeft : 0) |
                                   (event.right ? mouse_button::kRight : 0) |
                                   (event.middle ? mouse_button::kMiddle : 0));
}

// Shift 1, Ctrl 2, Alt 4.
std::int16_t ShiftState(const PointerEvent& event) {
  return static_cast<std::int16_t>((event.shift ? 1 : 0) | (event.ctrl ? 2 : 0) |
                                   (event.alt ? 4 : 0));
}

}  // namespace

void InputTranslation::StripPressed(PointerButton button, const PointerEvent& event) {
  // A release that went elsewhere (to a modal dialog) must not hide the next press; a press
  // reported twice (as a press and as a double-click) is one press.
  s.pressed = static_cast<std::int16_t>(s.pressed & ButtonsHeld(event));
  const std::int16_t code = ButtonCode(button);
  if ((s.pressed & code) != 0) return;
  s.pressed = static_cast<std::int16_t>(s.pressed | code);
  s.events->Picture1_MouseDown(code, ShiftState(event), s.pixels.ToTwips(event.x),
                               s.pixels.ToTwips(event.y));
}

void InputTranslation::StripDoubleClicked(PointerButton button, const PointerEvent& event) {
  StripPressed(button, event);
  if (button == PointerButton::kLeft) s.events->Picture1_DblClick();
}

// A button counts from a press that went to the strip until its release. One held in from
// elsewhere (a drag that another program began without capturing the pointer reaches the strip
// on Windows) moves nothing, opens no dialog and its release ends nothing.
void InputTranslation::StripMoved(const PointerEvent& event) {
  s.pressed = static_cast<std::int16_t>(s.pressed & ButtonsHeld(event));
  s.events->Picture1_MouseMove(s.pressed, ShiftState(event), s.pixels.ToTwips(event.x),
                               s.pixels.ToTwips(event.y));
}

void InputTranslation::StripReleased(PointerButton button, const PointerEvent& event) {
  const std::int16_t code = ButtonCode(button);
  const bool counted = (s.pressed & code) != 0;
  s.pressed = static_cast<std::int16_t>(s.pressed & ~code & ButtonsHeld(event));
  if (!counted) return;
  s.events->Picture1_MouseUp(code, ShiftState(event), s.pixels.ToTwips(event.x),
                             s.pixels.ToTwips(event.y));
  if (s.pressed == 0) rescale_.Settled();
}

void InputTranslation::FormMovedOutside() {
  if (s.pressed == 0) rescale_.Settled();
}

void InputTranslation::CloseMarkDoubleClicked(PointerButton button) {
  if (button == PointerButton::kLeft) s.events->Label1_DblClick();
}

void InputTranslation::TimerTicked() {
  if (timer_.Enabled()) s.events->Timer1_Timer();
}

void InputTranslation::MonitorsChanged() {
  s.primary = s.backend.PrimaryMonitor();
  s.events->Screen_Change();
}

}  // namespace coverstrip
