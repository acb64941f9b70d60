// Picture1 as a borderless Win32 child window of Form1 (own class, CS_DBLCLKS) filled with its
// back colour. It reports its mouse messages as native input in client pixels, with the capture
// held from each press until no button is left, so moves and the release outside still arrive.
#pragma once

#include <cstdint>

#include "platform/shared/backend.h"
#include "platform/win32/unique_handles.h"
#include "platform/win32/window_class.h"
#include "platform/win32/windows_api.h"

namespace coverstrip::win32 {

class Win32Picture {
 public:
  Win32Picture(HINSTANCE instance, HWND parent, const Backend& backend);

  HWND Handle() const { return window_.get(); }
  // The window's rectangle in its parent's client coordinates.
  PixelRect Rect() const;
  void SetRect(const PixelRect& rect);
  void SetColour(Colour colour);
  void SetCursor(std::int16_t shape);

  LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

 private:
  void Press(HWND window, PointerButton button, bool doubleClick, WPARAM wParam, LPARAM lParam);
  void Release(HWND window, PointerButton button, WPARAM wParam, LPARAM lParam);

  const Backend& backend_;
  WindowClass class_;
  UniqueBrush background_;
  HCURSOR cursor_ = nullptr;
  UniqueWindow window_;
};

}  // namespace coverstrip::win32
