#include "platform/shared/toolkit.h"

namespace coverstrip {
namespace {

// A rectangle of the design in pixels, its position offset by origin.
PixelRect DesignRect(const PixelConversion& pixels, const TwipsRect& r, std::int32_t left = 0,
                     std::int32_t top = 0) {
  return PixelRect{pixels.ToPixels(r.left, left).value_or(left),
                   pixels.ToPixels(r.top, top).value_or(top), pixels.ToPixels(r.width).value_or(0),
                   pixels.ToPixels(r.height).value_or(0)};
}

}  // namespace

Toolkit::Toolkit(Backend& backend, const WindowDesign& design)
    : state_(backend),
      picture_(state_, design.pictureMousePointer, design.pictureBackColor),
      label_(state_, DesignRect(state_.pixels, design.label)),
      timer_(state_, design.timerEnabled) {
  const PixelRect primary = state_.Primary();
  backend.SetFormRect(DesignRect(state_.pixels, design.form, primary.left, primary.top));
  backend.SetStripRect(DesignRect(state_.pixels, design.picture));
  backend.SetCloseMarkRect(label_.Rect());
  backend.SetFormColour(design.formBackColor);
  backend.SetStripColour(design.pictureBackColor);
  backend.SetCloseMarkColour(design.labelForeColor);
  backend.SetStripCursor(design.pictureMousePointer);
}

void Toolkit::StartUp(FormEvents& form) {
  state_.events = &form;
  state_.backend.Connect(input_);
  form.Form_Load();
  form_.SetVisible(true);
  form.Form_Activate();
  timer_.Start();
}

}  // namespace coverstrip
