#include "overlay/size_rules.h"

namespace coverstrip::overlay {

Twips HeightLimit(Twips monitorHeight) {
  return static_cast<Twips>(static_cast<double>(monitorHeight) * kHeightFraction);
}

void ApplySizeRules(FormWindow& form, const PictureBox& strip, const Screen& screen,
                    Label& closeMark) {
  // The monitor the window is on as the strip's size changes, before the window follows it.
  const Twips monitorWidth = screen.FormMonitorWidth();
  const Twips heightLimit = HeightLimit(screen.FormMonitorHeight());
  form.SetWidth(strip.ScaleWidth());
  form.SetHeight(strip.ScaleHeight());

  // Every comparison reads the size back: the toolkit may have rounded what was set.
  if (form.Width() > kMinimumWidth) {
    if (form.Width() > monitorWidth) form.SetWidth(monitorWidth);
  } else {
    form.SetWidth(kMinimumWidth);
  }

  if (form.Height() > kMinimumHeight) {
    if (form.Height() > heightLimit) form.SetHeight(heightLimit);
  } else {
    form.SetHeight(kMinimumHeight);
  }

  closeMark.Move(kCloseMarkOffset, kCloseMarkOffset);
}

}  // namespace coverstrip::overlay
