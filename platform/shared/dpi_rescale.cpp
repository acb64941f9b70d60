#include "platform/shared/dpi_rescale.h"

namespace coverstrip {
namespace {

// The DPIs a display can have, 48 to 2880, in twips a pixel.
constexpr float kMostTwipsPerPixel = 30;
constexpr float kFewestTwipsPerPixel = 0.5f;

}  // namespace

// As no size in twips changed, no Picture1_Resize runs. A change that the rescaling itself brings
// about (the form, resized, is now mostly on the other monitor) is taken up once more, around the
// form's centre, which keeps each monitor's share of it; no more, so that two monitors cannot
// hand it back and forth. A DPI that no display has (not a number, say) changes nothing.
void DpiRescale::Change(float twipsPerPixel, std::optional<PixelPoint> suggestedTopLeft) {
  if (!(twipsPerPixel >= kFewestTwipsPerPixel && twipsPerPixel <= kMostTwipsPerPixel)) return;
  if (rescaling_) {
    changedAgain_ = twipsPerPixel;
    return;
  }
  rescaling_ = true;
  for (int pass = 0; pass < 2; ++pass) {
    changedAgain_.reset();
    const float before = s.pixels.TwipsPerPixel();
    if (twipsPerPixel != before) {
      // During a drag the pointer stays the fixed point, whatever the platform suggests.
      const bool dragging = pass == 0 && s.pressed != 0;
      const bool suggested = pass == 0 && !dragging;
      const double ratio = static_cast<double>(before) / twipsPerPixel;
      s.pixels.SetTwipsPerPixel(twipsPerPixel);
      Rescale(ratio, suggested ? suggestedTopLeft : std::nullopt, dragging);
    }
    if (!changedAgain_) break;
    twipsPerPixel = *changedAgain_;
  }
  // A change the second pass brought about is left: the pixels and the DPI they were scaled for
  // stay together, so sizes in twips and drags stay exact, until the form settles on a monitor.
  changedAgain_.reset();
  s.primary = s.backend.PrimaryMonitor();
  rescaling_ = false;
}

void DpiRescale::Settled() {
  if (rescaling_) return;
  const float window = s.backend.TwipsPerPixel();
  if (window != s.pixels.TwipsPerPixel()) Change(window, std::nullopt);
}

void DpiRescale::Rescale(double ratio, std::optional<PixelPoint> suggestedTopLeft,
                         bool aroundPointer) {
  const auto inRange = [this](double pixels) { return s.pixels.InRange(pixels); };
  const auto scaled = [&](double pixels) { return inRange(pixels * ratio); };
  const auto scaledRect = [&scaled](const PixelRect& r) {
    return PixelRect{scaled(r.left), scaled(r.top), scaled(r.width), scaled(r.height)};
  };
  const PixelRect form = s.backend.FormRect();
  const PixelRect strip = s.backend.StripRect();
  // The point that stays where it is on the screen: during a drag the pointer, so that the press
  // point stays under it.
  const PixelPoint pointer = s.backend.PointerPosition();
  const double x = aroundPointer ? pointer.x - form.left : form.width / 2.0;
  const double y = aroundPointer ? pointer.y - form.top : form.height / 2.0;
  const PixelPoint corner = suggestedTopLeft.value_or(
      PixelPoint{inRange(form.left + x - x * ratio), inRange(form.top + y - y * ratio)});
  s.backend.SetFormRect({corner.x, corner.y, scaled(form.width), scaled(form.height)});
  s.backend.SetStripRect(scaledRect(strip));
  label_.SetRect(scaledRect(label_.Rect()));
}

}  // namespace coverstrip
