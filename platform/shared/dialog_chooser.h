// "MSComDlg.CommonDialog" over the platform's own colour dialog.
#pragma once

#include <cstdint>
#include <memory>
#include <string_view>
#include <utility>

#include "platform/contract/colour_chooser.h"
#include "platform/shared/backend.h"

namespace coverstrip {

// Programmatic identifiers are compared without regard to case, as CreateObject does.
bool IsCommonDialog(std::string_view progId);

class DialogChooser final : public ColourChooser {
 public:
  // stripPressed: the buttons pressed on the strip, which the modal dialog ends.
  DialogChooser(std::unique_ptr<ColourDialog> dialog, std::int16_t& stripPressed)
      : dialog_(std::move(dialog)), stripPressed_(stripPressed) {}
  void SetCancelError(bool cancelError) override { cancelError_ = cancelError; }
  bool ShowColor() override;
  Colour Color() const override { return colour_; }

 private:
  std::unique_ptr<ColourDialog> dialog_;
  std::int16_t& stripPressed_;
  bool cancelError_ = false;
  Colour colour_ = 0;
};

}  // namespace coverstrip
