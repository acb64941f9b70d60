// Picture1 as a borderless Win32 child window of Form1 (own class, CS_DBLCLKS) filled with its
// back colour. It turns its mouse messages into the form's pointer events, with the capture
// held from each press until no button is left, so moves and the release outside still arrive.
#pragma once

#include <cstdint>
#include <optional>

#include "platform/form_events.h"
#include "platform/toolkit.h"
#include "platform/twips_scale.h"
#include "platform/win32/pixel_scale.h"
#include "platform/win32/unique_handles.h"
#include "platform/win32/window_class.h"
#include "platform/win32/windows_api.h"
#include "platform/window_design.h"

namespace coverstrip::win32 {

class Win32Picture final : public PictureBox {
 public:
  Win32Picture(HINSTANCE instance, HWND parent, const WindowDesign& design);
  void Attach(FormEvents* events) { events_ = events; }

  Twips Left() const override;
  Twips Top() const override;
  Twips Width() const override;
  Twips Height() const override;
  // No border of its own: the drawing area is the whole strip.
  Twips ScaleWidth() const override;
  Twips ScaleHeight() const override;
  bool SetWidth(Twips width) override;
  bool SetHeight(Twips height) override;
  bool Move(Twips left, Twips top, std::optional<Twips> width,
            std::optional<Twips> height) override;
  void SetMousePointer(std::int16_t shape) override;
  std::int16_t MousePointer() const override { return mousePointer_; }
  void SetBackColor(Colour colour) override;
  Colour BackColor() const override { return backColor_; }

  HWND Handle() const { return window_.get(); }

  LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

 private:
  TwipsScale Scale() const { return ScaleOf(window_.get()); }
  // The window's rectangle in its parent's client coordinates.
  RECT RectInParent() const;
  void Press(HWND window, std::int16_t button, WPARAM wParam, LPARAM lParam);
  void Release(HWND window, std::int16_t button, WPARAM wParam, LPARAM lParam);
  void Paint(HWND window);

  WindowClass class_;
  Colour backColor_;
  UniqueBrush background_;
  std::int16_t mousePointer_;
  HCURSOR cursor_;
  FormEvents* events_ = nullptr;
  UniqueWindow window_;
};

}  // namespace coverstrip::win32
