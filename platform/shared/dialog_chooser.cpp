#include "platform/shared/dialog_chooser.h"

#include <algorithm>
#include <cctype>

namespace coverstrip {

bool IsCommonDialog(std::string_view progId) {
  return std::equal(progId.begin(), progId.end(), kCommonDialogProgId.begin(),
                    kCommonDialogProgId.end(), [](char x, char y) {
                      return std::tolower(static_cast<unsigned char>(x)) ==
                             std::tolower(static_cast<unsigned char>(y));
                    });
}

bool DialogChooser::ShowColor() {
  const std::optional<Colour> chosen = dialog_->Show();
  // The modal dialog took the releases of the presses that were on the strip.
  stripPressed_ = 0;
  if (chosen) colour_ = *chosen;
  return chosen.has_value() || !cancelError_;
}

}  // namespace coverstrip
