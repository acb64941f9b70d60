// RunApplication on Win32: loads comctl32's tooltip class, creates the window tree hidden, makes
// the form, runs Form_Load, shows the window without activating it, runs Form_Activate, starts
// the timer and dispatches messages until the form is destroyed (ending through the close mark
// leaves by ExitProcess instead).
#include <memory>

#include "platform/application.h"
#include "platform/win32/win32_platform.h"
#include "platform/win32/windows_api.h"

namespace coverstrip {
namespace {

int RunMessageLoop() {
  MSG message{};
  while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
  }
  return static_cast<int>(message.wParam);
}

}  // namespace

int RunApplication(int /*argc*/, char** /*argv*/, const WindowDesign& design,
                   const FormFactory& makeForm) {
  INITCOMMONCONTROLSEX controls{};
  controls.dwSize = sizeof controls;
  controls.dwICC = ICC_BAR_CLASSES;
  ::InitCommonControlsEx(&controls);

  win32::Win32Platform toolkit(::GetModuleHandleW(nullptr), design);
  const std::unique_ptr<FormEvents> form = makeForm(toolkit.platform());
  toolkit.Attach(*form);

  form->Form_Load();
  toolkit.form.Show();
  form->Form_Activate();
  toolkit.timer.Start();
  const int exitCode = RunMessageLoop();
  toolkit.Detach();
  return exitCode;
}

}  // namespace coverstrip
