// A registered window class whose window procedure hands each message to the C++ object that
// created the window: the object travels as the creation parameter and stays in GWLP_USERDATA.
// Messages that arrive before WM_NCCREATE get the default handling.
#pragma once

#include <optional>

#include "platform/win32/windows_api.h"

namespace coverstrip::win32 {

struct WindowClassDesign {
  const wchar_t* name = nullptr;
  UINT style = 0;
  HICON icon = nullptr;
  HICON smallIcon = nullptr;
};

// Owner::HandleMessage(HWND, UINT, WPARAM, LPARAM) answers every message of its window.
template <class Owner>
LRESULT CALLBACK RouteToOwner(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
    ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* owner = reinterpret_cast<Owner*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
  if (owner == nullptr) return ::DefWindowProcW(window, message, wParam, lParam);
  return owner->HandleMessage(window, message, wParam, lParam);
}

// Registered for as long as it lives; the windows of the class must be destroyed first.
class WindowClass {
 public:
  WindowClass(HINSTANCE instance, const WindowClassDesign& design, WNDPROC procedure);
  ~WindowClass();
  WindowClass(const WindowClass&) = delete;
  WindowClass& operator=(const WindowClass&) = delete;

  const wchar_t* Name() const { return MAKEINTATOM(atom_); }

 private:
  HINSTANCE instance_;
  ATOM atom_;
};

// A window that shows only its background colour: WM_ERASEBKGND fills it with the brush, and
// WM_PAINT has nothing more to draw. The answer to either, or nothing for any other message.
inline std::optional<LRESULT> PaintBackground(HWND window, UINT message, WPARAM wParam,
                                              HBRUSH background) {
  if (message == WM_ERASEBKGND) {
    RECT client;
    ::GetClientRect(window, &client);
    ::FillRect(reinterpret_cast<HDC>(wParam), &client, background);
    return 1;
  }
  if (message == WM_PAINT) {
    PAINTSTRUCT paint;
    ::BeginPaint(window, &paint);
    ::EndPaint(window, &paint);
    return 0;
  }
  return std::nullopt;
}

template <class Owner>
WindowClass MakeWindowClass(HINSTANCE instance, const WindowClassDesign& design) {
  return WindowClass(instance, design, &RouteToOwner<Owner>);
}

}  // namespace coverstrip::win32
