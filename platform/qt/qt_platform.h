// The Qt backend's whole state: the widgets of Form1 built from its design, the toolkit objects
// and window-manager calls over them, and the form whose handlers their events go to. Pointer
// positions reach the form in twips relative to the strip, taken from the pointer's screen
// position and the window's geometry as last set, so a window moved by the previous event is
// already where the next one is measured from.
#pragma once

#include "platform/form_events.h"
#include "platform/platform.h"
#include "platform/qt/form_widgets.h"
#include "platform/qt/qt_colour_chooser.h"
#include "platform/qt/qt_toolkit.h"
#include "platform/qt/qt_window_manager.h"
#include "platform/twips_scale.h"
#include "platform/window_design.h"

namespace coverstrip::qt {

class QtPlatform final : private StripInput {
 public:
  // Needs a QApplication. The window is created hidden.
  explicit QtPlatform(const WindowDesign& design);

  Platform& platform() { return platform_; }
  void Attach(FormEvents& events);
  // Maps the window without taking the focus.
  void Show();
  void StartTimer() { timer_.Start(); }

 private:
  void StripMouseDown(const PointerEvent& event) override;
  void StripMouseMove(const PointerEvent& event) override;
  void StripMouseUp(const PointerEvent& event) override;
  void StripDblClick() override;
  void CloseMarkDblClick() override;

  QPointF StripTwips(QPointF global) const;

  TwipsScale scale_;
  FormWidget formWidget_;
  StripWidget stripWidget_;
  CloseMarkWidget closeMarkWidget_;

  QtScreen screen_{scale_};
  QtForm form_;
  QtPicture picture_;
  QtLabel label_;
  QtTimer timer_;
  QtWindowManager windowManager_{form_};
  QtColourChooserFactory colourChoosers_;
  QtProcess process_;
  Platform platform_{screen_, form_,          picture_,        label_,
                     timer_,  windowManager_, colourChoosers_, process_};

  FormEvents* events_ = nullptr;
};

}  // namespace coverstrip::qt
