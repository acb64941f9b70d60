// Form1, Picture1, Label1, Timer1, the screen and the process on Qt 6 widgets under X11.
// Twips map to logical pixels through TwipsScale at 1440 / logical DPI; positions and sizes are
// held in whole pixels. Reads return what the widgets hold, except the top-level's geometry,
// which is the one last set: the window bypasses the window manager, so that is what the X
// server shows, while Qt's copy follows ConfigureNotify events that may be stale.
#pragma once

#include <QRect>
#include <QTimer>
#include <cstdint>
#include <optional>

#include "platform/form_events.h"
#include "platform/qt/form_widgets.h"
#include "platform/toolkit.h"
#include "platform/twips_scale.h"
#include "platform/window_design.h"

namespace coverstrip::qt {

// X11 carries window coordinates and sizes as 16-bit values.
inline constexpr std::int32_t kCoordinateLimitPixels = 32767;

class QtScreen final : public Screen {
 public:
  explicit QtScreen(const TwipsScale& scale) : scale_(scale) {}
  Twips Width() const override;
  Twips Height() const override;
  Twips CoordinateLimit() const override;

 private:
  const TwipsScale& scale_;
};

class QtForm final : public FormWindow {
 public:
  QtForm(FormWidget& widget, const TwipsScale& scale, const WindowDesign& design);
  Twips Left() const override;
  Twips Top() const override;
  Twips Width() const override;
  Twips Height() const override;
  void SetWidth(Twips width) override;
  void SetHeight(Twips height) override;
  void Move(Twips left, Twips top) override;
  void SetBackColor(Colour colour) override;
  NativeHandle hWnd() const override;

  // The top-left corner in logical pixels, as last set.
  QPoint Origin() const { return rect_.topLeft(); }
  // Sets the geometry again where Qt's copy has drifted from it.
  void Reassert();
  FormWidget& widget() { return widget_; }

 private:
  void Apply(const QRect& rect);

  FormWidget& widget_;
  const TwipsScale& scale_;
  QRect rect_;
};

class QtPicture final : public PictureBox {
 public:
  QtPicture(StripWidget& widget, const TwipsScale& scale, const WindowDesign& design);
  void Attach(FormEvents& events) { events_ = &events; }
  Twips Left() const override;
  Twips Top() const override;
  Twips Width() const override;
  Twips Height() const override;
  // No border of its own: the drawing area is the whole strip.
  Twips ScaleWidth() const override { return Width(); }
  Twips ScaleHeight() const override { return Height(); }
  bool SetWidth(Twips width) override;
  bool SetHeight(Twips height) override;
  bool Move(Twips left, Twips top, std::optional<Twips> width,
            std::optional<Twips> height) override;
  void SetMousePointer(std::int16_t shape) override;
  std::int16_t MousePointer() const override { return mousePointer_; }
  void SetBackColor(Colour colour) override;
  Colour BackColor() const override;

  StripWidget& widget() { return widget_; }

 private:
  StripWidget& widget_;
  const TwipsScale& scale_;
  FormEvents* events_ = nullptr;
  std::int16_t mousePointer_ = 0;
};

class QtLabel final : public Label {
 public:
  QtLabel(CloseMarkWidget& widget, const TwipsScale& scale, const WindowDesign& design);
  void Move(Twips left, Twips top) override;
  void SetContainer(PictureBox& container) override;
  void SetForeColor(Colour colour) override;

 private:
  CloseMarkWidget& widget_;
  const TwipsScale& scale_;
};

class QtTimer final : public Timer {
 public:
  explicit QtTimer(const WindowDesign& design);
  void Attach(FormEvents& events);
  // Begins ticking, when enabled, once the window is shown.
  void Start();
  void SetEnabled(bool enabled) override;
  bool Enabled() const override { return enabled_; }

 private:
  QTimer timer_;
  bool enabled_;
};

class QtProcess final : public Process {
 public:
  void End() override;
};

}  // namespace coverstrip::qt
