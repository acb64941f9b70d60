// The Win32 backend: Form1, the strip and the close mark as windows of their own classes, their
// comctl32 tooltips, Timer1 as the form's timer, USER32's window-manager calls passed straight
// through, the z-order above the form (win32_z_order.h), comdlg32's ChooseColorW, GetAsyncKeyState
// for the keys held (win32_keyboard.h), the system's media sessions (win32_media_sessions.h) and
// ExitProcess. Pixels are the physical pixels of a
// per-monitor DPI aware process, at 1440 / the form's DPI twips each; the primary monitor's
// top-left corner is (0, 0) by definition.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "platform/contract/window_design.h"
#include "platform/shared/backend.h"
#include "platform/win32/win32_form.h"
#include "platform/win32/win32_keyboard.h"
#include "platform/win32/win32_label.h"
#include "platform/win32/win32_media_sessions.h"
#include "platform/win32/win32_picture.h"
#include "platform/win32/win32_tooltips.h"
#include "platform/win32/win32_window_manager.h"
#include "platform/win32/win32_z_order.h"
#include "platform/win32/windows_api.h"
#include "platform/win32/wine_quirks.h"

namespace coverstrip::win32 {

class Win32Backend final : public Backend {
 public:
  Win32Backend(HINSTANCE instance, const WindowDesign& design, bool underWine);
  Win32Backend(const Win32Backend&) = delete;
  Win32Backend& operator=(const Win32Backend&) = delete;

  // What could not be created, for the message that ends the program; nothing when all was.
  std::optional<std::wstring> CreationFailure() const;

  Monitor PrimaryMonitor() const override;
  std::vector<Monitor> Monitors() const override;
  float TwipsPerPixel() const override;
  std::int32_t CoordinateLimit() const override;
  PixelRect FormRect() const override { return form_.Rect(); }
  void SetFormRect(const PixelRect& rect) override { form_.SetRect(rect); }
  PixelRect StripRect() const override { return picture_.Rect(); }
  void SetStripRect(const PixelRect& rect) override { picture_.SetRect(rect); }
  void SetCloseMarkRect(const PixelRect& rect) override { label_.SetRect(rect); }
  void SetFormColour(Colour colour) override { form_.SetColour(colour); }
  void SetStripColour(Colour colour) override { picture_.SetColour(colour); }
  void SetCloseMarkColour(Colour colour) override { label_.SetColour(colour); }
  void SetStripCursor(std::int16_t shape) override { picture_.SetCursor(shape); }
  PixelPoint PointerPosition() const override;
  NativeHandle FormHandle() const override;
  void SetFormVisible(bool visible) override;
  KeysHeld HeldKeys() const override;
  void SetTimerRunning(bool running) override;
  void WatchMediaPlayers() override {
    mediaSessions_ = std::make_unique<Win32MediaSessions>(*this);
  }
  std::unique_ptr<ColourDialog> NewColourDialog() override;
  void EndProcess() override;
  WindowManager& windowManager() override { return windowManager_; }
  ZOrder& zOrder() override { return zOrder_; }

 private:
  WineQuirks wine_;
  Win32Form form_;
  Win32Picture picture_;
  Win32Label label_;
  // Destroyed before the windows it refers to.
  Win32Tooltips tooltips_;
  UINT timerIntervalMs_;
  mutable KeyboardReader keyboard_;
  Win32WindowManager windowManager_;
  Win32ZOrder zOrder_;
  // Made only when asked for: without it the Windows Runtime is never loaded.
  std::unique_ptr<Win32MediaSessions> mediaSessions_;
};

}  // namespace coverstrip::win32
