// Everything the Win32 backend creates for one run, in creation order: the form with the strip
// and the close mark (hidden), their tooltips, the timer, the screen, the window manager calls,
// the colour chooser and the process; and the Platform that hands them to the form's logic.
#pragma once

#include "platform/form_events.h"
#include "platform/platform.h"
#include "platform/win32/win32_colour_chooser.h"
#include "platform/win32/win32_form.h"
#include "platform/win32/win32_label.h"
#include "platform/win32/win32_picture.h"
#include "platform/win32/win32_timer.h"
#include "platform/win32/win32_toolkit.h"
#include "platform/win32/win32_tooltips.h"
#include "platform/win32/win32_window_manager.h"
#include "platform/win32/windows_api.h"
#include "platform/window_design.h"

namespace coverstrip::win32 {

class Win32Platform {
 public:
  Win32Platform(HINSTANCE instance, const WindowDesign& design);
  Win32Platform(const Win32Platform&) = delete;
  Win32Platform& operator=(const Win32Platform&) = delete;

  Platform& platform() { return platform_; }
  // The form whose handlers the windows' events go to; none after Detach.
  void Attach(FormEvents& events);
  void Detach();

  Win32Form form;
  Win32Picture picture;
  Win32Label label;
  // Destroyed before the windows it refers to.
  Win32Tooltips tooltips;
  Win32Timer timer;
  Win32Screen screen{form};
  Win32WindowManager windowManager;
  Win32ColourChooserFactory colourChoosers;
  Win32Process process;

 private:
  Platform platform_{screen, form, picture, label, timer, windowManager, colourChoosers, process};
};

}  // namespace coverstrip::win32
