// RunApplication on Win32: loads comctl32's tooltip class, creates the windows hidden (or ends at
// once with a message box saying what could not be created), lets the shared toolkit start the
// form and dispatches messages until the form is destroyed (ending through the close mark leaves
// by ExitProcess instead).
#include <memory>

#include "platform/shared/application.h"
#include "platform/shared/toolkit.h"
#include "platform/win32/win32_backend.h"
#include "platform/win32/windows_api.h"

namespace coverstrip {

int RunApplication(int /*argc*/, char** /*argv*/, const WindowDesign& design,
                   const FormFactory& forms) {
  INITCOMMONCONTROLSEX controls{};
  controls.dwSize = sizeof controls;
  controls.dwICC = ICC_BAR_CLASSES;
  ::InitCommonControlsEx(&controls);

  win32::Win32Backend backend(::GetModuleHandleW(nullptr), design, win32::WineQuirks::Detect());
  if (const auto failure = backend.CreationFailure()) {
    ::MessageBoxW(nullptr, failure->c_str(), L"coverstrip", MB_OK | MB_ICONERROR);
    return 1;
  }
  Toolkit toolkit(backend, design);
  const std::unique_ptr<FormEvents> form = forms.Make(toolkit.platform());
  toolkit.StartUp(*form);

  MSG message{};
  while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
  }
  return static_cast<int>(message.wParam);
}

}  // namespace coverstrip
