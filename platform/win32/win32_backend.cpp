// Creates the windows hidden: Form1, Picture1 its child, Label1 the strip's child, and the
// tooltips kept above Form1. Screen size from GetSystemMetrics, which a per-monitor aware process
// gets in physical pixels. The colour dialog is ChooseColorW with no owner window, no flags and no
// initial colour: it runs its own message loop; the strip's capture is let go before it opens (an
// unowned dialog disables no window, so no WM_CANCELMODE would release it and the strip would keep
// the pointer's input) and again after it closes, and the window that had the keyboard before it
// opened gets it back.
#include "platform/win32/win32_backend.h"

#include <array>

#include "platform/win32/pixel_scale.h"

namespace coverstrip::win32 {
namespace {

class Win32ColourDialog final : public ColourDialog {
 public:
  explicit Win32ColourDialog(const WineQuirks& wine) : wine_(wine) {
    customColours_.fill(RGB(255, 255, 255));
  }
  std::optional<Colour> Show() override {
    ::ReleaseCapture();
    const HWND hadKeyboard = ::GetForegroundWindow();
    const WineQuirks::FormKeptInactive inactive(wine_);
    CHOOSECOLORW choose{};
    choose.lStructSize = sizeof choose;
    choose.lpCustColors = customColours_.data();
    const bool confirmed = ::ChooseColorW(&choose) != FALSE;
    ::ReleaseCapture();
    // Windows activates whatever it likes once the dialog is gone; the keyboard goes back to the
    // window that had it, which this process may still ask for while its dialog was foreground.
    if (hadKeyboard != nullptr && ::IsWindow(hadKeyboard)) ::SetForegroundWindow(hadKeyboard);
    if (!confirmed) return std::nullopt;
    return choose.rgbResult;
  }

 private:
  const WineQuirks& wine_;
  // The dialog's sixteen custom colours; they must outlive the call.
  std::array<COLORREF, 16> customColours_;
};

}  // namespace

Win32Backend::Win32Backend(HINSTANCE instance, const WindowDesign& design, bool underWine)
    : wine_(underWine),
      form_(instance, design, *this, wine_),
      picture_(instance, form_.Handle(), *this),
      label_(instance, picture_.Handle(), design, *this),
      tooltips_(instance, wine_.TooltipOwner(form_.Handle())),
      timerIntervalMs_(static_cast<UINT>(design.timerIntervalMs)) {
  tooltips_.AddTool(form_.Handle(), picture_.Handle(), design.pictureToolTip);
  tooltips_.AddTool(picture_.Handle(), label_.Handle(), design.labelToolTip);
  form_.SetTooltip(tooltips_.Handle());
}

std::optional<std::wstring> Win32Backend::CreationFailure() const {
  if (form_.Handle() == nullptr) return L"The overlay window could not be created.";
  if (picture_.Handle() == nullptr || label_.Handle() == nullptr) {
    return L"The overlay's strip could not be created.";
  }
  return std::nullopt;
}

// The primary monitor's top-left corner is (0, 0); its DPI is its own, wherever the form is.
Monitor Win32Backend::PrimaryMonitor() const {
  const HMONITOR primary = ::MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY);
  return {{0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)},
          TwipsPerPixelOf(primary)};
}

std::vector<Monitor> Win32Backend::Monitors() const {
  std::vector<Monitor> monitors;
  const auto add = [](HMONITOR monitor, HDC, LPRECT, LPARAM list) -> BOOL {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (::GetMonitorInfoW(monitor, &info)) {
      const RECT& r = info.rcMonitor;
      reinterpret_cast<std::vector<Monitor>*>(list)->push_back(
          {{r.left, r.top, r.right - r.left, r.bottom - r.top}, TwipsPerPixelOf(monitor)});
    }
    return TRUE;
  };
  ::EnumDisplayMonitors(nullptr, nullptr, add, reinterpret_cast<LPARAM>(&monitors));
  return monitors;
}

float Win32Backend::TwipsPerPixel() const {
  return TwipsPerPixelOf(form_.Handle());
}

std::int32_t Win32Backend::CoordinateLimit() const {
  return kCoordinateLimitPixels;
}

PixelPoint Win32Backend::PointerPosition() const {
  POINT pointer{};
  ::GetCursorPos(&pointer);
  return {pointer.x, pointer.y};
}

NativeHandle Win32Backend::FormHandle() const {
  return reinterpret_cast<NativeHandle>(form_.Handle());
}

// Hiding keeps the window's place, size, extended style and layered alpha; SW_SHOWNOACTIVATE
// shows it again without taking the focus. The caller puts it back on top.
void Win32Backend::SetFormVisible(bool visible) {
  ::ShowWindow(form_.Handle(), visible ? SW_SHOWNOACTIVATE : SW_HIDE);
}

KeysHeld Win32Backend::HeldKeys() const {
  return keyboard_.Read();
}

// Arming again restarts the interval; a WM_TIMER already queued when it was killed is dropped
// above, since the timer is then disabled.
void Win32Backend::SetTimerRunning(bool running) {
  if (running) {
    ::SetTimer(form_.Handle(), Win32Form::kTimerId, timerIntervalMs_, nullptr);
  } else {
    ::KillTimer(form_.Handle(), Win32Form::kTimerId);
  }
}

std::unique_ptr<ColourDialog> Win32Backend::NewColourDialog() {
  return std::make_unique<Win32ColourDialog>(wine_);
}

void Win32Backend::EndProcess() {
  ::ExitProcess(0);
}

}  // namespace coverstrip::win32
