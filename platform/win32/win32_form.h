// Form1 as a Win32 top-level: a WS_POPUP window (no frame, no title, client area = window) that
// never takes the focus (WS_EX_NOACTIVATE, MA_NOACTIVATE) and has no taskbar button
// (WS_EX_TOOLWINDOW). Geometry is read back from GetWindowRect. Its WM_TIMER is Timer1's tick.
// Relies on WM_WINDOWPOSCHANGING to refuse Wine's late echoes of its own requests, on
// WM_WINDOWPOSCHANGED to keep the tooltip above it, and reports WM_DISPLAYCHANGE and
// WM_DPICHANGED.
#pragma once

#include <array>

#include "platform/contract/window_design.h"
#include "platform/shared/backend.h"
#include "platform/win32/geometry_echoes.h"
#include "platform/win32/unique_handles.h"
#include "platform/win32/window_class.h"
#include "platform/win32/windows_api.h"

namespace coverstrip::win32 {

class Win32Form {
 public:
  Win32Form(HINSTANCE instance, const WindowDesign& design, const Backend& backend);

  HWND Handle() const { return window_.get(); }
  PixelRect Rect() const;
  // One SetWindowPos, remembered against late echoes; it neither restacks nor activates.
  void SetRect(const PixelRect& rect);
  void SetColour(Colour colour);
  // A popup without owner that stays above the form, as an owned one would: raised again
  // whenever the form is restacked while it shows.
  void KeepAbove(HWND popup) { popupAbove_ = popup; }

  static constexpr UINT_PTR kTimerId = 1;

  LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

 private:
  void RaisePopupAbove();
  // Refuses an outside move or resize that only echoes an earlier request.
  void FilterOutsideChange(WINDOWPOS& position);
  // Whether the monitors' arrangement or the primary one's size differs from when last asked.
  bool DesktopChanged();

  const Backend& backend_;
  UniqueIcon icon_;
  UniqueIcon smallIcon_;
  WindowClass class_;
  UniqueBrush background_;
  HWND popupAbove_ = nullptr;
  GeometryEchoes echoes_;
  bool settingGeometry_ = false;
  UINT dpi_ = 0;  // as the shared layer last heard of it
  std::array<int, 7> desktop_{};
  static constexpr int kTicksBetweenDesktopReads = 20;
  int ticksSinceDesktopRead_ = 0;
  UniqueWindow window_;
};

}  // namespace coverstrip::win32
