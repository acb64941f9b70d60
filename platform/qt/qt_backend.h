// The Qt 6 backend under X11: Form1 as an override-redirect top-level, the strip and the close
// mark as its child widgets, Timer1 as a QTimer, the colour dialog as Qt's QColorDialog, and the
// window-manager calls carried out as raise, lower and window opacity, and the keys held as the X
// server reports them (x11_keyboard.h), what stands above it as the server's events tell
// (x11_stacking.h). Pixels are device pixels,
// at 1440 / (logical DPI x device pixel ratio) twips each, so that at a scale factor such as
// QT_SCALE_FACTOR=1.5 or 2 every drag is as exact as at 1. Qt's API speaks logical pixels: the
// top-level is placed on the X server directly, in device pixels (x11_connection.h), and the
// rectangles are kept as they were set, which is what the X server shows of a window that
// bypasses the window manager; the children's widgets get the nearest logical rectangles.
#pragma once

#include <QTimer>
#include <memory>

#include "platform/contract/window_design.h"
#include "platform/qt/form_widgets.h"
#include "platform/qt/mpris_watcher.h"
#include "platform/qt/native_pointer.h"
#include "platform/qt/qt_monitors.h"
#include "platform/qt/qt_stacking.h"
#include "platform/qt/x11_keyboard.h"
#include "platform/qt/x11_stacking.h"
#include "platform/shared/backend.h"
#include "platform/shared/emulated_window_manager.h"

namespace coverstrip::qt {

class QtBackend final : public Backend, private StripInput {
 public:
  // Needs a QApplication. The windows are created hidden.
  explicit QtBackend(const WindowDesign& design);

  Monitor PrimaryMonitor() const override;
  std::vector<Monitor> Monitors() const override;
  float TwipsPerPixel() const override;
  std::int32_t CoordinateLimit() const override;
  PixelRect FormRect() const override { return formRect_; }
  void SetFormRect(const PixelRect& rect) override;
  PixelRect StripRect() const override { return stripRect_; }
  void SetStripRect(const PixelRect& rect) override;
  void SetCloseMarkRect(const PixelRect& rect) override;
  void SetFormColour(Colour colour) override;
  void SetStripColour(Colour colour) override;
  void SetCloseMarkColour(Colour colour) override;
  void SetStripCursor(std::int16_t shape) override;
  PixelPoint PointerPosition() const override;
  NativeHandle FormHandle() const override;
  void SetFormVisible(bool visible) override;
  KeysHeld HeldKeys() const override { return keyboard_.Held(); }
  void SetTimerRunning(bool running) override;
  void WatchMediaPlayers() override { mediaPlayers_ = std::make_unique<MprisWatcher>(*this); }
  std::unique_ptr<ColourDialog> NewColourDialog() override;
  void EndProcess() override;
  WindowManager& windowManager() override { return windowManager_; }
  ZOrder& zOrder() override { return zOrder_; }

 private:
  void StripPointer(PointerKind kind, const QMouseEvent& event) override;
  void CloseMarkDoubleClicked(const QMouseEvent& event) override;
  // Sets the geometry again where Qt's copy has drifted from the one last set.
  void ReassertFormGeometry();
  // Device pixels a logical pixel, and the corner of the form's screen, which Qt keeps in device
  // pixels: logical positions count from it at the scale factor.
  double Ratio() const;
  QPoint ScreenOrigin() const;
  QRect LogicalTopLevel(const PixelRect& rect) const;
  // A point on the screen, from logical pixels to device pixels.
  QPointF DevicePoint(QPointF logical) const;

  FormWidget form_;
  StripWidget strip_;
  CloseMarkWidget closeMark_;
  NativePointer nativePointer_;
  QTimer timer_;
  mutable X11Keyboard keyboard_;  // read from the first tick on
  X11Stacking zOrder_;            // followed from the first tick on
  PixelRect formRect_;
  PixelRect stripRect_;
  QtMonitors monitors_{form_, [this] { input().MonitorsChanged(); }};
  QtStacking stacking_{form_, zOrder_};
  // Made only when asked for: without it the program never connects to the session bus.
  std::unique_ptr<MprisWatcher> mediaPlayers_;
  EmulatedWindowManager windowManager_{*this, stacking_};
};

}  // namespace coverstrip::qt
