#include "colour/colour_choice.h"

#include <memory>

namespace coverstrip::colour {

Colour CloseMarkColourOn(Colour stripColour) {
  return stripColour == kPureRed ? kBlack : kPureRed;
}

void ChooseCoveringColour(Platform& platform) {
  std::unique_ptr<ColourChooser> chooser = platform.colourChoosers.Create(kCommonDialogProgId);
  if (!chooser) {
    platform.timer.SetEnabled(true);
    return;
  }
  chooser->SetCancelError(true);
  platform.timer.SetEnabled(false);
  // Without SWP_NOACTIVATE the window would take the keyboard from the program the user is in,
  // and Windows would hand it back to the window, not that program, once the dialog closes.
  platform.windowManager.SetWindowPos(platform.form.hWnd(), wm::kInsertNotTopmost, 0, 0, 0, 0,
                                      wm::kNoSize | wm::kNoMove | wm::kNoActivate);
  if (chooser->ShowColor()) {
    platform.form.SetBackColor(chooser->Color());
    platform.picture.SetBackColor(chooser->Color());
    chooser.reset();
    platform.label.SetForeColor(CloseMarkColourOn(platform.picture.BackColor()));
  }
  platform.timer.SetEnabled(true);
  // A cancelled chooser is released here.
}

}  // namespace coverstrip::colour
