#include "overlay/size_rules.h"

namespace coverstrip::overlay {

Twips HeightLimit(Twips screenHeight) {
  return static_cast<Twips>(static_cast<double>(screenHeight) * kHeightFraction);
}

void ApplySizeRules(FormWindow& form, const PictureBox& strip, const Screen& screen,
                    Label& closeMark) {
  form.SetWidth(strip.ScaleWidth());
  form.SetHeight(strip.ScaleHeight());

  // Every comparison reads the size back: the toolkit may have rounded what was set.
  if (form.Width() > kMinimumWidth) {
    const Twips screenWidth = screen.Width();
    if (form.Width() > screenWidth) form.SetWidth(screen.Width());
  } else {
    form.SetWidth(kMinimumWidth);
  }

  if (form.Height() > kMinimumHeight) {
    const Twips limit = HeightLimit(screen.Height());
    if (form.Height() > limit) form.SetHeight(HeightLimit(screen.Height()));
  } else {
    form.SetHeight(kMinimumHeight);
  }

  closeMark.Move(kCloseMarkOffset, kCloseMarkOffset);
}

}  // namespace coverstrip::overlay
