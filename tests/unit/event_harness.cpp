#include "event_harness.h"

#include <cmath>
#include <cstdlib>
#include <sstream>

#include "overlay/size_rules.h"

namespace coverstrip::testing {

std::string Describe(const Event& event) {
  static constexpr const char* kNames[] = {"press",    "move", "release",
                                           "dblclick", "tick", "choice"};
  std::ostringstream text;
  text << kNames[static_cast<int>(event.kind)] << " buttons=" << event.buttons << " x=" << event.x
       << " y=" << event.y;
  return text.str();
}

void EventHarness::Apply(const Event& event) {
  Form1& form = loaded_.form;
  switch (event.kind) {
    case Event::Kind::kPress:
      form.Picture1_MouseDown(event.buttons, 0, event.x, event.y);
      break;
    case Event::Kind::kMove:
      form.Picture1_MouseMove(event.buttons, 0, event.x, event.y);
      break;
    case Event::Kind::kRelease:
      form.Picture1_MouseUp(event.buttons, 0, event.x, event.y);
      break;
    case Event::Kind::kDoubleClick:
      form.Picture1_MouseDown(mouse_button::kLeft, 0, event.x, event.y);
      form.Picture1_DblClick();
      break;
    case Event::Kind::kTick:
      loaded_.sim.Tick();
      break;
    case Event::Kind::kChoice:
      loaded_.sim.colourChoosers.scripts.push_back(event.chooser);
      form.Picture1_MouseMove(mouse_button::kRight, 0, event.x, event.y);
      break;
  }
  last_ = event;
  loaded_.sim.log().clear();  // keep memory flat over long runs
}

std::optional<std::string> EventHarness::Broken() const {
  const sim::SimPlatform& sim = loaded_.sim;
  const Form1& form = loaded_.form;
  const sim::PixelRect& window = sim.form.rect;
  const sim::PixelRect& strip = sim.picture.rect;
  const std::int32_t limit = sim.config().coordinateLimitPixels;
  const float twipsPerPixel = sim.config().twipsPerPixel;

  if (strip.width < 0 || strip.height < 0) return "strip size below zero";
  for (std::int32_t value : {window.left, window.top, window.width, window.height, strip.left,
                             strip.top, strip.width, strip.height}) {
    if (std::abs(value) > limit) return "a position or size beyond the toolkit's range";
  }
  // After a release the strip fills the window. Where the screen is smaller than the minimum
  // size, the rules then move the window between its cap and its minimum, and only the strip's
  // place at the corner is certain.
  const bool roomForMinimum = sim.screen.Width() >= overlay::kMinimumWidth &&
                              overlay::HeightLimit(sim.screen.Height()) >= overlay::kMinimumHeight;
  if (last_ && last_->kind == Event::Kind::kRelease &&
      (strip.left != 0 || strip.top != 0 ||
       (roomForMinimum && (strip.width != window.width || strip.height != window.height)))) {
    return "after a release the strip does not fill the window";
  }

  // The window keeps within the size rules' limits, wherever the screen leaves room for them;
  // one pixel of slack for the rounding of a set size.
  const float width = sim.form.Width(), height = sim.form.Height();
  const float screenWidth = sim.screen.Width();
  const float heightLimit = overlay::HeightLimit(sim.screen.Height());
  const float slack = twipsPerPixel;
  if (width < std::min(overlay::kMinimumWidth, screenWidth) - slack ||
      width > std::max(overlay::kMinimumWidth, screenWidth) + slack) {
    return "window width outside its limits";
  }
  if (height < std::min(overlay::kMinimumHeight, heightLimit) - slack ||
      height > std::max(overlay::kMinimumHeight, heightLimit) + slack) {
    return "window height outside its limits";
  }

  if (form.TransparencyPercent < 0 || form.TransparencyPercent > 60 ||
      form.TransparencyPercent % 5 != 0) {
    return "TransparencyPercent off its cycle";
  }
  const std::int16_t shape = sim.picture.MousePointer();
  if (shape != 9 && shape != 7 && shape != 15) return "pointer shape not 9, 7 or 15";
  if (last_ && last_->kind == Event::Kind::kRelease && (form.DownX != -1 || form.DownY != -1)) {
    return "press point not cleared by the release";
  }
  const auto representable = [](float v) { return std::isfinite(v) && std::fabs(v) < 1e9f; };
  if (last_ && last_->kind == Event::Kind::kPress && representable(last_->x) &&
      representable(last_->y) &&
      (form.DownX != static_cast<std::int32_t>(std::nearbyint(last_->x)) ||
       form.DownY != static_cast<std::int32_t>(std::nearbyint(last_->y)))) {
    return "press point not the rounded press position";
  }
  if (sim.colourChoosers.live != 0) return "a colour chooser outlived its event";
  if (!sim.timer.Enabled()) return "keep-on-top timer left stopped";
  if (sim.process.ended) return "the process ended without a close-mark double-click";
  return std::nullopt;
}

}  // namespace coverstrip::testing
