// "MSComDlg.CommonDialog" on Win32, whose ActiveX control current Windows no longer ships: the
// chooser keeps CancelError and Color as that control does and shows comdlg32's ChooseColorW.
#pragma once

#include <array>
#include <memory>
#include <string_view>

#include "platform/colour_chooser.h"
#include "platform/win32/windows_api.h"

namespace coverstrip::win32 {

class Win32ColourChooser final : public ColourChooser {
 public:
  Win32ColourChooser();
  void SetCancelError(bool cancelError) override { cancelError_ = cancelError; }
  bool ShowColor() override;
  Colour Color() const override { return colour_; }

 private:
  bool cancelError_ = false;
  Colour colour_ = 0;
  // The dialog's sixteen custom colours; they must outlive the call.
  std::array<COLORREF, 16> customColours_;
};

class Win32ColourChooserFactory final : public ColourChooserFactory {
 public:
  std::unique_ptr<ColourChooser> Create(std::string_view progId) override;
};

}  // namespace coverstrip::win32
