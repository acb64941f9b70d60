// The colour chooser, created by programmatic identifier for one use and driven through the
// three members the logic binds: CancelError, showcolor and Color.
#pragma once

#include <memory>
#include <string_view>

#include "platform/contract/types.h"

namespace coverstrip {

// The one chooser the platform creates; identifiers compare without regard to case.
inline constexpr std::string_view kCommonDialogProgId = "MSComDlg.CommonDialog";

class ColourChooser {
 public:
  virtual ~ColourChooser() = default;
  virtual void SetCancelError(bool cancelError) = 0;
  // Shows the platform's modal colour dialog and returns when it closes. False when the user
  // cancelled and CancelError is set: the showcolor call failed.
  [[nodiscard]] virtual bool ShowColor() = 0;
  // The confirmed colour, 0x00BBGGRR.
  virtual Colour Color() const = 0;
};

class ColourChooserFactory {
 public:
  virtual ~ColourChooserFactory() = default;
  // Null when no chooser by that identifier can be created.
  virtual std::unique_ptr<ColourChooser> Create(std::string_view progId) = 0;
};

}  // namespace coverstrip
