// ChooseColorW with no owner window, no flags and no initial colour. The dialog runs its own
// message loop; the strip's mouse capture is let go before it opens (an unowned dialog disables
// no window, so no WM_CANCELMODE would release it and the strip would keep the pointer's input)
// and again after it closes, so that nothing stays captured.
#include "platform/win32/win32_colour_chooser.h"

#include <algorithm>
#include <cctype>

namespace coverstrip::win32 {
namespace {

constexpr std::string_view kCommonDialog = "MSComDlg.CommonDialog";
constexpr COLORREF kEmptyCustomColour = RGB(255, 255, 255);

// Programmatic identifiers are compared without regard to case, as CreateObject does.
bool SameProgId(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return std::tolower(static_cast<unsigned char>(x)) ==
           std::tolower(static_cast<unsigned char>(y));
  });
}

}  // namespace

Win32ColourChooser::Win32ColourChooser() {
  customColours_.fill(kEmptyCustomColour);
}

bool Win32ColourChooser::ShowColor() {
  ::ReleaseCapture();
  CHOOSECOLORW choose{};
  choose.lStructSize = sizeof choose;
  choose.hwndOwner = nullptr;
  choose.rgbResult = colour_;
  choose.lpCustColors = customColours_.data();
  choose.Flags = 0;
  const bool confirmed = ::ChooseColorW(&choose) != FALSE;
  ::ReleaseCapture();
  if (confirmed) {
    colour_ = choose.rgbResult;
    return true;
  }
  // A cancel fails the call only when CancelError asks for it; any other failure always does.
  const bool cancelled = ::CommDlgExtendedError() == 0;
  return cancelled && !cancelError_;
}

std::unique_ptr<ColourChooser> Win32ColourChooserFactory::Create(std::string_view progId) {
  if (!SameProgId(progId, kCommonDialog)) return nullptr;
  return std::make_unique<Win32ColourChooser>();
}

}  // namespace coverstrip::win32
