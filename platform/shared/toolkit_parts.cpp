#include "platform/shared/toolkit_parts.h"

#include "platform/shared/dialog_chooser.h"
#include "platform/shared/window_monitor.h"

namespace coverstrip {
namespace {

// A length on a monitor in that monitor's own twips.
Twips InTwipsOf(const Monitor& monitor, std::int32_t pixels) {
  return static_cast<Twips>(static_cast<double>(pixels) * monitor.twipsPerPixel);
}

}  // namespace

// --- screen ---

Twips ScreenPart::Width() const {
  return InTwipsOf(s.primary, s.primary.rect.width);
}

Twips ScreenPart::Height() const {
  return InTwipsOf(s.primary, s.primary.rect.height);
}

Monitor ScreenPart::FormMonitor() const {
  return MonitorHolding(s.backend.FormRect(), s.backend.Monitors());
}

Twips ScreenPart::FormMonitorWidth() const {
  const Monitor monitor = FormMonitor();
  return InTwipsOf(monitor, monitor.rect.width);
}

Twips ScreenPart::FormMonitorHeight() const {
  const Monitor monitor = FormMonitor();
  return InTwipsOf(monitor, monitor.rect.height);
}

std::vector<TwipsRect> ScreenPart::Monitors() const {
  const PixelRect primary = s.Primary();
  std::vector<TwipsRect> monitors;
  for (const Monitor& monitor : s.backend.Monitors()) {
    const PixelRect& rect = monitor.rect;
    monitors.push_back({s.pixels.ToTwips(rect.left - primary.left),
                        s.pixels.ToTwips(rect.top - primary.top), s.pixels.ToTwips(rect.width),
                        s.pixels.ToTwips(rect.height)});
  }
  return monitors;
}

// --- window ---

Twips FormPart::Left() const {
  return s.pixels.ToTwips(s.backend.FormRect().left - s.Primary().left);
}

Twips FormPart::Top() const {
  return s.pixels.ToTwips(s.backend.FormRect().top - s.Primary().top);
}

Twips FormPart::Width() const {
  return s.pixels.ToTwips(s.backend.FormRect().width);
}

Twips FormPart::Height() const {
  return s.pixels.ToTwips(s.backend.FormRect().height);
}

void FormPart::SetVisible(bool visible) {
  visible_ = visible;
  s.backend.SetFormVisible(visible_);
}

void FormPart::SetExtent(Twips extent, std::int32_t PixelRect::*side) {
  const auto pixels = s.pixels.ToPixels(extent);
  if (!pixels || *pixels < 0) return;
  PixelRect rect = s.backend.FormRect();
  rect.*side = *pixels;
  s.backend.SetFormRect(rect);
}

void FormPart::Move(Twips left, Twips top) {
  const PixelRect primary = s.Primary();
  const auto x = s.pixels.ToPixels(left, primary.left);
  const auto y = s.pixels.ToPixels(top, primary.top);
  if (!x || !y) return;
  PixelRect rect = s.backend.FormRect();
  rect.left = *x;
  rect.top = *y;
  s.backend.SetFormRect(rect);
}

// --- strip ---

Twips PicturePart::Left() const {
  return s.pixels.ToTwips(s.backend.StripRect().left);
}

Twips PicturePart::Top() const {
  return s.pixels.ToTwips(s.backend.StripRect().top);
}

Twips PicturePart::Width() const {
  return s.pixels.ToTwips(s.backend.StripRect().width);
}

Twips PicturePart::Height() const {
  return s.pixels.ToTwips(s.backend.StripRect().height);
}

bool PicturePart::Move(Twips left, Twips top, std::optional<Twips> width,
                       std::optional<Twips> height) {
  if ((width && *width < 0) || (height && *height < 0)) return false;
  const PixelRect before = s.backend.StripRect();
  const auto x = s.pixels.ToPixels(left);
  const auto y = s.pixels.ToPixels(top);
  const auto w = width ? s.pixels.ToPixels(*width) : std::optional(before.width);
  const auto h = height ? s.pixels.ToPixels(*height) : std::optional(before.height);
  if (!x || !y || !w || !h) return false;

  s.backend.SetStripRect({*x, *y, *w, *h});
  const PixelRect after = s.backend.StripRect();
  const bool resized = after.width != before.width || after.height != before.height;
  if (resized && s.events != nullptr) s.events->Picture1_Resize();
  return true;
}

void PicturePart::SetMousePointer(std::int16_t shape) {
  if (shape == shape_) return;
  shape_ = shape;
  s.backend.SetStripCursor(shape_);
}

void PicturePart::SetBackColor(Colour colour) {
  colour_ = colour;
  s.backend.SetStripColour(colour_);
}

// --- close mark, timer, colour chooser ---

void LabelPart::Move(Twips left, Twips top) {
  const auto x = s.pixels.ToPixels(left);
  const auto y = s.pixels.ToPixels(top);
  if (!x || !y) return;
  SetRect({*x, *y, rect_.width, rect_.height});
}

void LabelPart::SetRect(const PixelRect& rect) {
  rect_ = rect;
  s.backend.SetCloseMarkRect(rect_);
}

void TimerPart::SetEnabled(bool enabled) {
  enabled_ = enabled;
  if (started_) s.backend.SetTimerRunning(enabled_);
}

void TimerPart::Start() {
  started_ = true;
  s.backend.SetTimerRunning(enabled_);
}

std::unique_ptr<ColourChooser> ChooserFactoryPart::Create(std::string_view progId) {
  if (!IsCommonDialog(progId)) return nullptr;
  std::unique_ptr<ColourDialog> dialog = s.backend.NewColourDialog();
  if (!dialog) return nullptr;
  return std::make_unique<DialogChooser>(std::move(dialog), s.pressed);
}

}  // namespace coverstrip
