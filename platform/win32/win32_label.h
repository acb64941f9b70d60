// Label1 as a Win32 child window of the strip (own class, CS_DBLCLKS): the "×" drawn in its
// colour over the strip's own background, in the design's font at the window's DPI. It takes
// every pointer message over itself and reports only its double-clicks.
#pragma once

#include <string>

#include "platform/contract/window_design.h"
#include "platform/shared/backend.h"
#include "platform/win32/unique_handles.h"
#include "platform/win32/window_class.h"
#include "platform/win32/windows_api.h"

namespace coverstrip::win32 {

class Win32Label {
 public:
  Win32Label(HINSTANCE instance, HWND parent, const WindowDesign& design, const Backend& backend);

  void SetRect(const PixelRect& rect);
  void SetColour(Colour colour);

  HWND Handle() const { return window_.get(); }

  LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

 private:
  void CreateFontForDpi();
  void Paint(HWND window);

  const Backend& backend_;
  WindowClass class_;
  std::wstring caption_;
  FontDesign fontDesign_;
  std::wstring fontFace_;
  Colour foreColor_ = 0;
  UniqueFont font_;
  UniqueWindow window_;
};

}  // namespace coverstrip::win32
