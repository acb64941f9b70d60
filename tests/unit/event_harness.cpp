#include "event_harness.h"

#include <cmath>
#include <cstdlib>
#include <sstream>
#include <utility>

#include "overlay/peek.h"
#include "overlay/size_rules.h"

namespace coverstrip::testing {

std::string Describe(const Event& event) {
  static constexpr const char* kNames[] = {"press",  "move",     "release", "dblclick", "tick",
                                           "choice", "monitors", "dpi",     "keys"};
  std::ostringstream text;
  text << kNames[static_cast<int>(event.kind)] << " buttons=" << event.buttons << " x=" << event.x
       << " y=" << event.y;
  return text.str();
}

namespace {

// The press's button is the lowest one held; none held is a left press.
PointerButton PressedButton(std::int16_t buttons) {
  if ((buttons & mouse_button::kLeft) != 0 || buttons == 0) return PointerButton::kLeft;
  return (buttons & mouse_button::kRight) != 0 ? PointerButton::kRight : PointerButton::kMiddle;
}

}  // namespace

void EventHarness::Apply(const Event& event) {
  LoadedForm& f = loaded_;
  const PointerButton button = PressedButton(event.buttons);
  const std::int16_t bit = LoadedForm::Bit(button);
  // A press of a button the user already holds is the same press, not a new one.
  newPress_ = event.kind == Event::Kind::kPress && (held_ & bit) == 0;
  releaseCounted_ = event.kind == Event::Kind::kRelease && (pressedOnStrip_ & bit) != 0;
  switch (event.kind) {
    case Event::Kind::kPress:
      held_ = static_cast<std::int16_t>(event.buttons | bit);
      pressedOnStrip_ = static_cast<std::int16_t>((pressedOnStrip_ & held_) | bit);
      f.sim.input().StripPressed(button, f.At(event.x, event.y, held_));
      break;
    case Event::Kind::kMove:
      held_ = event.buttons;
      pressedOnStrip_ &= held_;
      // The right button alone opens the colour dialog, which takes the releases.
      if (pressedOnStrip_ == mouse_button::kRight) pressedOnStrip_ = 0;
      f.MoveTo(event.x, event.y, held_);
      break;
    case Event::Kind::kRelease:
      held_ = 0;
      pressedOnStrip_ = 0;
      f.sim.input().StripReleased(button, f.At(event.x, event.y, held_));
      break;
    case Event::Kind::kDoubleClick:
      held_ = mouse_button::kLeft;
      pressedOnStrip_ = mouse_button::kLeft;
      f.DoubleClick(event.x, event.y);
      break;
    case Event::Kind::kTick:
      f.sim.Tick();
      break;
    case Event::Kind::kChoice:
      held_ = mouse_button::kRight;
      // The dialog opens only for a right press on the strip, and takes the releases.
      pressedOnStrip_ = 0;
      f.sim.dialogs.push_back(event.chooser);
      f.MoveTo(event.x, event.y, held_);
      break;
    case Event::Kind::kMonitors:
      monitorsChangedSinceRelease_ = true;
      f.sim.config.otherMonitors.clear();
      if (event.buttons % 2 != 0) {
        f.sim.config.otherMonitors.push_back(
            {{f.sim.config.screenWidthPixels, 0, 1920, 1080}, f.sim.config.twipsPerPixel});
      }
      // As Windows does, the form left on no monitor of its DPI hears of its new one.
      f.sim.input().DpiChanged(f.sim.TwipsPerPixel(), std::nullopt);
      f.sim.input().MonitorsChanged();
      break;
    case Event::Kind::kDpi:
      // A DPI a display can have becomes the other monitor's, and is reported as the OS would
      // (a change only when the form is mostly there); any other value is only reported.
      if (event.x >= 0.5f && event.x <= 30) {
        for (Monitor& monitor : f.sim.config.otherMonitors) monitor.twipsPerPixel = event.x;
        f.sim.input().DpiChanged(f.sim.TwipsPerPixel(), std::nullopt);
      } else {
        f.sim.input().DpiChanged(event.x, std::nullopt);
      }
      break;
    case Event::Kind::kKeys:
      f.sim.keys = {.leftCtrl = (event.buttons & 1) != 0,
                    .rightCtrl = (event.buttons & 2) != 0,
                    .leftAlt = (event.buttons & 4) != 0,
                    .rightAlt = (event.buttons & 8) != 0,
                    .other = (event.buttons & 16) != 0};
      f.sim.Tick();
      break;
  }
  last_ = event;
}

std::optional<std::string> EventHarness::Broken() {
  const sim::SimBackend& sim = loaded_.sim;
  const Form1& form = loaded_.form;
  Platform& platform = loaded_.platform();
  const PixelRect& window = sim.form;
  const PixelRect& strip = sim.strip;
  const std::int32_t limit = sim.config.coordinateLimitPixels;
  // The coarsest pixel a change of DPI may have brought (48 dpi).
  const float twipsPerPixel = 30;

  if (strip.width < 0 || strip.height < 0) return "strip size below zero";
  for (std::int32_t value : {window.left, window.top, window.width, window.height, strip.left,
                             strip.top, strip.width, strip.height}) {
    if (std::abs(value) > limit) return "a position or size beyond the toolkit's range";
  }
  // After a release the strip fills the window (a pixel more is cut off: the window's cap in
  // pixels, scaled to another DPI, can round up past the cap there). Where a monitor is smaller
  // than the minimum size, the rules then move the window between its cap and its minimum, and
  // only the strip's place at the corner is certain.
  // The window's sizes the size rules allow on the monitors there have been: fewest, most.
  for (const Monitor& monitor : sim.Monitors()) {
    const float widthCap = static_cast<float>(monitor.rect.width) * monitor.twipsPerPixel;
    const float heightCap =
        overlay::HeightLimit(static_cast<float>(monitor.rect.height) * monitor.twipsPerPixel);
    widths_ = {std::min(widths_.first, widthCap), std::max(widths_.second, widthCap)};
    heights_ = {std::min(heights_.first, heightCap), std::max(heights_.second, heightCap)};
  }
  const bool roomForMinimum =
      widths_.first >= overlay::kMinimumWidth && heights_.first >= overlay::kMinimumHeight;
  const bool releasePlacedAgain =
      releaseCounted_ && std::exchange(monitorsChangedSinceRelease_, false);
  if (releaseCounted_ && !releasePlacedAgain &&
      (strip.left != 0 || strip.top != 0 ||
       (roomForMinimum && (strip.width < window.width || strip.height < window.height)))) {
    return "after a release the strip does not fill the window";
  }

  // The window keeps within the size rules' limits, wherever the screen leaves room for them:
  // those of the monitor it was on when its size last changed; one pixel of slack for the
  // rounding of a set size.
  const float width = platform.form.Width(), height = platform.form.Height();
  const float slack = twipsPerPixel;
  if (width < widths_.first - slack || width > widths_.second + slack) {
    return "window width outside its limits";
  }
  if (height < heights_.first - slack || height > heights_.second + slack) {
    return "window height outside its limits";
  }

  if (form.TransparencyPercent < 0 || form.TransparencyPercent > 60 ||
      form.TransparencyPercent % 5 != 0) {
    return "TransparencyPercent off its cycle";
  }
  const std::int16_t shape = platform.picture.MousePointer();
  if (shape != 9 && shape != 7 && shape != 15) return "pointer shape not 9, 7 or 15";
  if (releaseCounted_ && (form.DownX != -1 || form.DownY != -1)) {
    return "press point not cleared by the release";
  }
  const auto representable = [](float v) { return std::isfinite(v) && std::fabs(v) < 1e9f; };
  if (newPress_ && representable(last_->x) && representable(last_->y) &&
      (form.DownX != static_cast<std::int32_t>(std::nearbyint(last_->x)) ||
       form.DownY != static_cast<std::int32_t>(std::nearbyint(last_->y)))) {
    return "press point not the rounded press position";
  }
  if (last_ && last_->kind == Event::Kind::kKeys && sim.timerRunning &&
      platform.form.Visible() == overlay::IsPeekChord(sim.keys)) {
    return "shown while the chord is held, or hidden while it is not";
  }
  if (sim.openDialogs != 0) return "a colour dialog outlived its event";
  if (!sim.timerRunning) return "keep-on-top timer left stopped";
  if (sim.ended) return "the process ended without a close-mark double-click";
  return std::nullopt;
}

}  // namespace coverstrip::testing
