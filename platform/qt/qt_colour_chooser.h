// "MSComDlg.CommonDialog" on Qt: Qt's own QColorDialog, run modally with exec(). Qt's widget
// dialog rather than a desktop's native one, so that it behaves alike everywhere: a managed
// window that the window manager maps above the lowered overlay and gives the focus to.
#pragma once

#include <memory>
#include <string_view>

#include "platform/colour_chooser.h"

namespace coverstrip::qt {

class QtColourChooser final : public ColourChooser {
 public:
  void SetCancelError(bool cancelError) override { cancelError_ = cancelError; }
  bool ShowColor() override;
  Colour Color() const override { return colour_; }

 private:
  bool cancelError_ = false;
  Colour colour_ = 0;
};

class QtColourChooserFactory final : public ColourChooserFactory {
 public:
  std::unique_ptr<ColourChooser> Create(std::string_view progId) override;
};

}  // namespace coverstrip::qt
