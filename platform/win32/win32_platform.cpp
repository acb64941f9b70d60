// Creates the window tree of the design: Form1 at its design rectangle, Picture1 its child,
// Label1 the strip's child, all hidden until the form is shown; the tooltips kept above Form1.
#include "platform/win32/win32_platform.h"

namespace coverstrip::win32 {

Win32Platform::Win32Platform(HINSTANCE instance, const WindowDesign& design)
    : form(instance, design),
      picture(instance, form.Handle(), design),
      label(instance, picture.Handle(), design),
      tooltips(instance),
      timer(form.Handle(), design) {
  tooltips.AddTool(form.Handle(), picture.Handle(), design.pictureToolTip);
  tooltips.AddTool(picture.Handle(), label.Handle(), design.labelToolTip);
  form.AttachTimer(timer);
  form.KeepAbove(tooltips.Handle());
}

void Win32Platform::Attach(FormEvents& events) {
  picture.Attach(&events);
  label.Attach(&events);
  timer.Attach(&events);
}

void Win32Platform::Detach() {
  picture.Attach(nullptr);
  label.Attach(nullptr);
  timer.Attach(nullptr);
}

}  // namespace coverstrip::win32
