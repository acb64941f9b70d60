// The Qt 6 backend under X11: Form1 as an override-redirect top-level, the strip and the close
// mark as its child widgets, Timer1 as a QTimer, the colour dialog as Qt's QColorDialog, and the
// window-manager calls carried out as raise, lower and window opacity, and the keys held read from
// the X server's keymap (x11_keyboard.h). Pixels are Qt's logical pixels, at 1440 / logical DPI
// twips each. The top-level's geometry is kept as last set: the window bypasses the window
// manager, so that is what the X server shows, while Qt's own copy follows ConfigureNotify events
// that may be stale. Relies on the xcb connection being flushed by hand after requests made
// outside Qt's event handling (x11_flush.h).
#pragma once

#include <QTimer>

#include "platform/contract/window_design.h"
#include "platform/qt/form_widgets.h"
#include "platform/qt/x11_keyboard.h"
#include "platform/shared/backend.h"
#include "platform/shared/emulated_window_manager.h"

namespace coverstrip::qt {

class QtBackend final : public Backend, private Stacking, private StripInput {
 public:
  // Needs a QApplication. The windows are created hidden.
  explicit QtBackend(const WindowDesign& design);

  Monitor PrimaryMonitor() const override;
  float TwipsPerPixel() const override;
  std::int32_t CoordinateLimit() const override;
  PixelRect FormRect() const override { return formRect_; }
  void SetFormRect(const PixelRect& rect) override;
  PixelRect StripRect() const override;
  void SetStripRect(const PixelRect& rect) override;
  void SetCloseMarkRect(const PixelRect& rect) override;
  void SetFormColour(Colour colour) override;
  void SetStripColour(Colour colour) override;
  void SetCloseMarkColour(Colour colour) override;
  void SetStripCursor(std::int16_t shape) override;
  NativeHandle FormHandle() const override;
  void SetFormVisible(bool visible) override;
  KeysHeld HeldKeys() const override { return keyboard_.Held(); }
  void SetTimerRunning(bool running) override;
  std::unique_ptr<ColourDialog> NewColourDialog() override;
  void EndProcess() override;
  WindowManager& windowManager() override { return windowManager_; }

 private:
  void Restack(bool topmost, bool activate) override;
  void SetOpacity(std::uint8_t alpha) override;
  void StripPointer(PointerKind kind, const QMouseEvent& event) override;
  void CloseMarkDoubleClicked(const QMouseEvent& event) override;
  // Sets the geometry again where Qt's copy has drifted from the one last set.
  void ReassertFormGeometry();

  FormWidget form_;
  StripWidget strip_;
  CloseMarkWidget closeMark_;
  QTimer timer_;
  X11Keyboard keyboard_;
  PixelRect formRect_;
  EmulatedWindowManager windowManager_{*this, *this};
};

}  // namespace coverstrip::qt
