#include "platform/shared/toolkit.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <string_view>
#include <utility>

namespace coverstrip {
namespace {

constexpr std::string_view kCommonDialog = "MSComDlg.CommonDialog";

// The DPIs a display can have, 48 to 2880, in twips a pixel.
constexpr float kMostTwipsPerPixel = 30;
constexpr float kFewestTwipsPerPixel = 0.5f;

// Programmatic identifiers are compared without regard to case, as CreateObject does.
bool SameProgId(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return std::tolower(static_cast<unsigned char>(x)) ==
           std::tolower(static_cast<unsigned char>(y));
  });
}

// "MSComDlg.CommonDialog" over the platform's own colour dialog.
class DialogChooser final : public ColourChooser {
 public:
  DialogChooser(std::unique_ptr<ColourDialog> dialog, std::int16_t& stripPressed)
      : dialog_(std::move(dialog)), stripPressed_(stripPressed) {}
  void SetCancelError(bool cancelError) override { cancelError_ = cancelError; }
  bool ShowColor() override {
    const std::optional<Colour> chosen = dialog_->Show();
    // The modal dialog took the releases of the presses that were on the strip.
    stripPressed_ = 0;
    if (chosen) colour_ = *chosen;
    return chosen.has_value() || !cancelError_;
  }
  Colour Color() const override { return colour_; }

 private:
  std::unique_ptr<ColourDialog> dialog_;
  std::int16_t& stripPressed_;
  bool cancelError_ = false;
  Colour colour_ = 0;
};

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

Toolkit::Toolkit(Backend& backend, const WindowDesign& design)
    : backend_(backend),
      primary_(backend.PrimaryMonitor()),
      twipsPerPixel_(backend.TwipsPerPixel()),
      limit_(backend.CoordinateLimit()),
      limitTwips_(ToTwips(limit_)) {
  const auto rect = [this](const TwipsRect& r, std::int32_t left, std::int32_t top) {
    return PixelRect{ToPixels(r.left, left).value_or(left), ToPixels(r.top, top).value_or(top),
                     ToPixels(r.width).value_or(0), ToPixels(r.height).value_or(0)};
  };
  const PixelRect primary = Primary();
  backend_.SetFormRect(rect(design.form, primary.left, primary.top));
  backend_.SetStripRect(rect(design.picture, 0, 0));
  label_.rect = rect(design.label, 0, 0);
  backend_.SetCloseMarkRect(label_.rect);
  backend_.SetFormColour(design.formBackColor);
  picture_.colour = design.pictureBackColor;
  backend_.SetStripColour(picture_.colour);
  backend_.SetCloseMarkColour(design.labelForeColor);
  picture_.shape = design.pictureMousePointer;
  backend_.SetStripCursor(picture_.shape);
  timer_.enabled = design.timerEnabled;
}

void Toolkit::StartUp(FormEvents& form) {
  events_ = &form;
  backend_.Connect(*this);
  form.Form_Load();
  form_.SetVisible(true);
  form.Form_Activate();
  timer_.started = true;
  backend_.SetTimerRunning(timer_.enabled);
}

// --- twips and pixels ---

Twips Toolkit::ToTwips(std::int32_t pixels) const {
  return ToTwips(static_cast<double>(pixels));
}

Twips Toolkit::ToTwips(double pixels) const {
  return static_cast<Twips>(pixels * static_cast<double>(twipsPerPixel_));
}

std::optional<std::int32_t> Toolkit::ToPixels(Twips twips, std::int32_t origin) const {
  const double pixels =
      std::round(static_cast<double>(twips) / static_cast<double>(twipsPerPixel_)) + origin;
  if (!std::isfinite(pixels) || std::fabs(pixels) > limit_) {
    return std::nullopt;
  }
  return static_cast<std::int32_t>(pixels);
}

// --- screen: the primary monitor, at its own DPI ---

Twips Toolkit::ScreenPart::Width() const {
  return static_cast<Twips>(static_cast<double>(t.primary_.rect.width) * t.primary_.twipsPerPixel);
}

Twips Toolkit::ScreenPart::Height() const {
  return static_cast<Twips>(static_cast<double>(t.primary_.rect.height) * t.primary_.twipsPerPixel);
}

std::vector<TwipsRect> Toolkit::ScreenPart::Monitors() const {
  const PixelRect primary = t.Primary();
  std::vector<TwipsRect> monitors;
  for (const Monitor& monitor : t.backend_.Monitors()) {
    const PixelRect& rect = monitor.rect;
    monitors.push_back({t.ToTwips(rect.left - primary.left), t.ToTwips(rect.top - primary.top),
                        t.ToTwips(rect.width), t.ToTwips(rect.height)});
  }
  return monitors;
}

Twips Toolkit::ScreenPart::CoordinateLimit() const {
  return t.limitTwips_;
}

// --- window ---

Twips Toolkit::FormPart::Left() const {
  return t.ToTwips(t.backend_.FormRect().left - t.Primary().left);
}

Twips Toolkit::FormPart::Top() const {
  return t.ToTwips(t.backend_.FormRect().top - t.Primary().top);
}

Twips Toolkit::FormPart::Width() const {
  return t.ToTwips(t.backend_.FormRect().width);
}

Twips Toolkit::FormPart::Height() const {
  return t.ToTwips(t.backend_.FormRect().height);
}

void Toolkit::FormPart::SetVisible(bool value) {
  visible = value;
  t.backend_.SetFormVisible(visible);
}

void Toolkit::FormPart::SetWidth(Twips width) {
  const auto pixels = t.ToPixels(width);
  if (!pixels || *pixels < 0) return;
  PixelRect rect = t.backend_.FormRect();
  rect.width = *pixels;
  t.backend_.SetFormRect(rect);
}

void Toolkit::FormPart::SetHeight(Twips height) {
  const auto pixels = t.ToPixels(height);
  if (!pixels || *pixels < 0) return;
  PixelRect rect = t.backend_.FormRect();
  rect.height = *pixels;
  t.backend_.SetFormRect(rect);
}

void Toolkit::FormPart::Move(Twips left, Twips top) {
  const PixelRect primary = t.Primary();
  const auto x = t.ToPixels(left, primary.left);
  const auto y = t.ToPixels(top, primary.top);
  if (!x || !y) return;
  PixelRect rect = t.backend_.FormRect();
  rect.left = *x;
  rect.top = *y;
  t.backend_.SetFormRect(rect);
}

// --- strip ---

Twips Toolkit::PicturePart::Left() const {
  return t.ToTwips(t.backend_.StripRect().left);
}

Twips Toolkit::PicturePart::Top() const {
  return t.ToTwips(t.backend_.StripRect().top);
}

Twips Toolkit::PicturePart::Width() const {
  return t.ToTwips(t.backend_.StripRect().width);
}

Twips Toolkit::PicturePart::Height() const {
  return t.ToTwips(t.backend_.StripRect().height);
}

bool Toolkit::PicturePart::Move(Twips left, Twips top, std::optional<Twips> width,
                                std::optional<Twips> height) {
  if ((width && *width < 0) || (height && *height < 0)) return false;
  const PixelRect before = t.backend_.StripRect();
  const auto x = t.ToPixels(left);
  const auto y = t.ToPixels(top);
  const auto w = width ? t.ToPixels(*width) : std::optional(before.width);
  const auto h = height ? t.ToPixels(*height) : std::optional(before.height);
  if (!x || !y || !w || !h) return false;

  t.backend_.SetStripRect({*x, *y, *w, *h});
  const PixelRect after = t.backend_.StripRect();
  const bool resized = after.width != before.width || after.height != before.height;
  if (resized && t.events_ != nullptr) t.events_->Picture1_Resize();
  return true;
}

void Toolkit::PicturePart::SetMousePointer(std::int16_t newShape) {
  if (newShape == shape) return;
  shape = newShape;
  t.backend_.SetStripCursor(shape);
}

void Toolkit::PicturePart::SetBackColor(Colour newColour) {
  colour = newColour;
  t.backend_.SetStripColour(colour);
}

// --- close mark, timer, colour chooser ---

void Toolkit::LabelPart::Move(Twips left, Twips top) {
  const auto x = t.ToPixels(left);
  const auto y = t.ToPixels(top);
  if (!x || !y) return;
  rect.left = *x;
  rect.top = *y;
  t.backend_.SetCloseMarkRect(rect);
}

void Toolkit::TimerPart::SetEnabled(bool value) {
  enabled = value;
  if (started) t.backend_.SetTimerRunning(enabled);
}

std::unique_ptr<ColourChooser> Toolkit::ChooserFactoryPart::Create(std::string_view progId) {
  if (!SameProgId(progId, kCommonDialog)) return nullptr;
  std::unique_ptr<ColourDialog> dialog = t.backend_.NewColourDialog();
  if (!dialog) return nullptr;
  return std::make_unique<DialogChooser>(std::move(dialog), t.pressed_);
}

// --- native input ---

void Toolkit::StripPressed(PointerButton button, const PointerEvent& event) {
  // A release that went elsewhere (to a modal dialog) must not hide the next press; a press
  // reported twice (as a press and as a double-click) is one press.
  pressed_ = static_cast<std::int16_t>(pressed_ & ButtonsHeld(event));
  const std::int16_t code = ButtonCode(button);
  if ((pressed_ & code) != 0) return;
  pressed_ = static_cast<std::int16_t>(pressed_ | code);
  events_->Picture1_MouseDown(code, ShiftState(event), ToTwips(event.x), ToTwips(event.y));
}

void Toolkit::StripDoubleClicked(PointerButton button, const PointerEvent& event) {
  StripPressed(button, event);
  if (button == PointerButton::kLeft) events_->Picture1_DblClick();
}

void Toolkit::StripMoved(const PointerEvent& event) {
  const std::int16_t held = ButtonsHeld(event);
  pressed_ = static_cast<std::int16_t>(pressed_ & held);
  events_->Picture1_MouseMove(held, ShiftState(event), ToTwips(event.x), ToTwips(event.y));
}

void Toolkit::StripReleased(PointerButton button, const PointerEvent& event) {
  const std::int16_t code = ButtonCode(button);
  pressed_ = static_cast<std::int16_t>(pressed_ & ~code & ButtonsHeld(event));
  events_->Picture1_MouseUp(code, ShiftState(event), ToTwips(event.x), ToTwips(event.y));
}

void Toolkit::CloseMarkDoubleClicked(PointerButton button) {
  if (button == PointerButton::kLeft) events_->Label1_DblClick();
}

void Toolkit::TimerTicked() {
  if (timer_.enabled) events_->Timer1_Timer();
}

void Toolkit::MonitorsChanged() {
  primary_ = backend_.PrimaryMonitor();
  events_->Screen_Change();
}

// Everything keeps its size in twips, so the strip keeps its physical size on the new monitor:
// the pixel sizes scale by the ratio of the DPIs, and as no size in twips changed, no
// Picture1_Resize runs. A change that the rescaling itself brings about (the form, resized, is
// now mostly on the other monitor) is taken up once more, around the form's centre, which keeps
// each monitor's share of it; no more, so that two monitors cannot hand it back and forth. A DPI
// that no display has (not a number, say) changes nothing.
void Toolkit::DpiChanged(float twipsPerPixel, std::optional<PixelPoint> suggestedTopLeft) {
  if (!(twipsPerPixel >= kFewestTwipsPerPixel && twipsPerPixel <= kMostTwipsPerPixel)) return;
  if (rescaling_) {
    dpiChangedAgain_ = twipsPerPixel;
    return;
  }
  rescaling_ = true;
  for (int pass = 0; pass < 2; ++pass) {
    dpiChangedAgain_.reset();
    if (twipsPerPixel != twipsPerPixel_) {
      // During a drag the pointer stays the fixed point, whatever the platform suggests.
      const bool dragging = pass == 0 && pressed_ != 0;
      const bool suggested = pass == 0 && !dragging;
      const double ratio = static_cast<double>(twipsPerPixel_) / twipsPerPixel;
      twipsPerPixel_ = twipsPerPixel;
      Rescale(ratio, suggested ? suggestedTopLeft : std::nullopt, dragging);
    }
    if (!dpiChangedAgain_) break;
    twipsPerPixel = *dpiChangedAgain_;
  }
  // A change the second pass brought about is left: the pixels and the DPI they were scaled for
  // stay together, so sizes in twips and drags stay exact, until the form settles on a monitor.
  dpiChangedAgain_.reset();
  limitTwips_ = ToTwips(limit_);
  primary_ = backend_.PrimaryMonitor();
  rescaling_ = false;
}

// Pixels stay within the platform's range, where a larger value would wrap around.
void Toolkit::Rescale(double ratio, std::optional<PixelPoint> suggestedTopLeft,
                      bool aroundPointer) {
  const auto inRange = [this](double pixels) {
    return static_cast<std::int32_t>(
        std::clamp(std::round(pixels), -static_cast<double>(limit_), static_cast<double>(limit_)));
  };
  const auto scaled = [&](double pixels) { return inRange(pixels * ratio); };
  const auto scaledRect = [&scaled](const PixelRect& r) {
    return PixelRect{scaled(r.left), scaled(r.top), scaled(r.width), scaled(r.height)};
  };
  const PixelRect form = backend_.FormRect();
  const PixelRect strip = backend_.StripRect();
  // The point that stays where it is on the screen: during a drag the pointer, so that the press
  // point stays under it.
  const PixelPoint pointer = backend_.PointerPosition();
  const double x = aroundPointer ? pointer.x - form.left : form.width / 2.0;
  const double y = aroundPointer ? pointer.y - form.top : form.height / 2.0;
  const PixelPoint corner = suggestedTopLeft.value_or(
      PixelPoint{inRange(form.left + x - x * ratio), inRange(form.top + y - y * ratio)});
  backend_.SetFormRect({corner.x, corner.y, scaled(form.width), scaled(form.height)});
  backend_.SetStripRect(scaledRect(strip));
  label_.rect = scaledRect(label_.rect);
  backend_.SetCloseMarkRect(label_.rect);
}

}  // namespace coverstrip
