// RegisterClassExW with the arrow cursor and no background brush: each window paints its own
// background colour.
#include "platform/win32/window_class.h"

namespace coverstrip::win32 {

WindowClass::WindowClass(HINSTANCE instance, const WindowClassDesign& design, WNDPROC procedure)
    : instance_(instance) {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.style = design.style;
  windowClass.lpfnWndProc = procedure;
  windowClass.hInstance = instance;
  windowClass.hIcon = design.icon;
  windowClass.hIconSm = design.smallIcon;
  windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hbrBackground = nullptr;
  windowClass.lpszClassName = design.name;
  atom_ = ::RegisterClassExW(&windowClass);
}

WindowClass::~WindowClass() {
  if (atom_ != 0) ::UnregisterClassW(MAKEINTATOM(atom_), instance_);
}

}  // namespace coverstrip::win32
