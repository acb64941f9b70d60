// Form1 as a Win32 top-level: a WS_POPUP window (no frame, no title, client area = window) that
// never takes the focus (WS_EX_NOACTIVATE, MA_NOACTIVATE) and has no taskbar button
// (WS_EX_TOOLWINDOW). Its geometry is kept as it was last taken: by its own SetWindowPos, or by
// the system's when the system moves it (see WineQuirks for Wine's). Its WM_TIMER is Timer1's
// tick; it reports WM_DISPLAYCHANGE, WM_SETTINGCHANGE, WM_DPICHANGED and the moves the system
// makes.
#pragma once

#include "platform/contract/window_design.h"
#include "platform/shared/backend.h"
#include "platform/win32/unique_handles.h"
#include "platform/win32/window_class.h"
#include "platform/win32/windows_api.h"
#include "platform/win32/wine_quirks.h"

namespace coverstrip::win32 {

class Win32Form {
 public:
  Win32Form(HINSTANCE instance, const WindowDesign& design, const Backend& backend,
            WineQuirks& wine);

  HWND Handle() const { return window_.get(); }
  PixelRect Rect() const { return rect_; }
  // One SetWindowPos; it neither restacks nor activates.
  void SetRect(const PixelRect& rect);
  void SetColour(Colour colour);
  // The tooltip, for Wine's sake (see WineQuirks::FormRestacked).
  void SetTooltip(HWND tooltip) { tooltip_ = tooltip; }

  static constexpr UINT_PTR kTimerId = 1;
  // The window class, by which an installer finds a running copy.
  static constexpr const wchar_t* kClassName = L"coverstrip.Form1";

  LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

 private:
  void TakeGeometry(HWND window);

  const Backend& backend_;
  WineQuirks& wine_;
  UniqueIcon icon_;
  UniqueIcon smallIcon_;
  WindowClass class_;
  UniqueBrush background_;
  HWND tooltip_ = nullptr;
  PixelRect rect_;
  bool settingGeometry_ = false;
  UniqueWindow window_;
};

}  // namespace coverstrip::win32
