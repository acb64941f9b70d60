// Form1 as a Win32 top-level: a WS_POPUP window (no frame, no title, client area = window) that
// never takes the focus (WS_EX_NOACTIVATE, MA_NOACTIVATE) and has no taskbar button
// (WS_EX_TOOLWINDOW). Geometry is read back from GetWindowRect; twips follow the window's DPI.
// Relies on WM_WINDOWPOSCHANGING to refuse Wine's late echoes of its own requests and on
// WM_WINDOWPOSCHANGED to keep the tooltip above it.
#pragma once

#include "platform/toolkit.h"
#include "platform/twips_scale.h"
#include "platform/win32/geometry_echoes.h"
#include "platform/win32/pixel_scale.h"
#include "platform/win32/unique_handles.h"
#include "platform/win32/window_class.h"
#include "platform/win32/windows_api.h"
#include "platform/window_design.h"

namespace coverstrip::win32 {

class Win32Timer;

class Win32Form final : public FormWindow {
 public:
  Win32Form(HINSTANCE instance, const WindowDesign& design);

  Twips Left() const override;
  Twips Top() const override;
  Twips Width() const override;
  Twips Height() const override;
  void SetWidth(Twips width) override;
  void SetHeight(Twips height) override;
  void Move(Twips left, Twips top) override;
  void SetBackColor(Colour colour) override;
  NativeHandle hWnd() const override;

  HWND Handle() const { return window_.get(); }
  TwipsScale Scale() const { return ScaleOf(window_.get()); }
  // WM_TIMER of the form goes to the timer.
  void AttachTimer(Win32Timer& timer) { timer_ = &timer; }
  // A popup without owner that stays above the form, as an owned one would: raised again
  // whenever the form is restacked while it shows.
  void KeepAbove(HWND popup) { popupAbove_ = popup; }
  // Shows the window without activating it.
  void Show();

  LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

 private:
  RECT Rect() const;
  void Paint(HWND window);
  void RaisePopupAbove();
  // One SetWindowPos of the form's own, remembered against late echoes.
  void SetGeometry(int x, int y, int width, int height, UINT flags);
  // Refuses an outside move or resize that only echoes an earlier request.
  void FilterOutsideChange(WINDOWPOS& position);

  UniqueIcon icon_;
  UniqueIcon smallIcon_;
  WindowClass class_;
  UniqueBrush background_;
  Win32Timer* timer_ = nullptr;
  HWND popupAbove_ = nullptr;
  GeometryEchoes echoes_;
  bool settingGeometry_ = false;
  UniqueWindow window_;
};

}  // namespace coverstrip::win32
