// Label1 as a Win32 child window of the strip (own class, CS_DBLCLKS): the "×" drawn in its
// fore colour over the strip's own background, in the design's font at the window's DPI. It
// takes every pointer message over itself; only a left double-click does something.
#pragma once

#include <string>

#include "platform/form_events.h"
#include "platform/toolkit.h"
#include "platform/win32/unique_handles.h"
#include "platform/win32/window_class.h"
#include "platform/win32/windows_api.h"
#include "platform/window_design.h"

namespace coverstrip::win32 {

class Win32Label final : public Label {
 public:
  Win32Label(HINSTANCE instance, HWND parent, const WindowDesign& design);
  void Attach(FormEvents* events) { events_ = events; }

  void Move(Twips left, Twips top) override;
  void SetContainer(PictureBox& container) override;
  void SetForeColor(Colour colour) override;

  HWND Handle() const { return window_.get(); }

  LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

 private:
  void CreateFontForDpi();
  void Paint(HWND window);

  WindowClass class_;
  std::wstring caption_;
  FontDesign fontDesign_;
  std::wstring fontFace_;
  Colour foreColor_;
  UniqueFont font_;
  FormEvents* events_ = nullptr;
  UniqueWindow window_;
};

}  // namespace coverstrip::win32
