// Picture1 on Win32. A move or resize is one SetWindowPos. Pointer messages: presses take the
// capture; the second press of a double-click arrives as WM_xBUTTONDBLCLK instead of a press and
// is reported as such; moves carry the MK_ buttons; X and Y are the signed client coordinates.
#include "platform/win32/win32_picture.h"

#include "platform/win32/pointer_capture.h"

namespace coverstrip::win32 {
namespace {

PointerEvent Decode(WPARAM wParam, LPARAM lParam) {
  return {.x = static_cast<double>(GET_X_LPARAM(lParam)),
          .y = static_cast<double>(GET_Y_LPARAM(lParam)),
          .left = (wParam & MK_LBUTTON) != 0,
          .right = (wParam & MK_RBUTTON) != 0,
          .middle = (wParam & MK_MBUTTON) != 0,
          .shift = (wParam & MK_SHIFT) != 0,
          .ctrl = (wParam & MK_CONTROL) != 0,
          .alt = ::GetKeyState(VK_MENU) < 0};
}

LPCWSTR CursorFor(std::int16_t shape) {
  switch (shape) {
    case mouse_pointer::kSizeWestEast:
      return IDC_SIZEWE;
    case mouse_pointer::kSizeNorthSouth:
      return IDC_SIZENS;
    case mouse_pointer::kSizeAll:
      return IDC_SIZEALL;
    default:
      return IDC_ARROW;
  }
}

}  // namespace

Win32Picture::Win32Picture(HINSTANCE instance, HWND parent, const Backend& backend)
    : backend_(backend),
      class_(MakeWindowClass<Win32Picture>(instance,
                                           {.name = L"coverstrip.Picture1", .style = CS_DBLCLKS})) {
  window_.reset(::CreateWindowExW(0, class_.Name(), L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0,
                                  0, 0, 0, parent, nullptr, instance, this));
}

PixelRect Win32Picture::Rect() const {
  RECT rect{};
  ::GetWindowRect(window_.get(), &rect);
  ::MapWindowPoints(HWND_DESKTOP, ::GetParent(window_.get()), reinterpret_cast<POINT*>(&rect), 2);
  return {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
}

void Win32Picture::SetRect(const PixelRect& rect) {
  ::SetWindowPos(window_.get(), nullptr, rect.left, rect.top, rect.width, rect.height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void Win32Picture::SetColour(Colour colour) {
  background_.reset(::CreateSolidBrush(colour));
  // The close mark shows the strip's colour around its "×": it is repainted too.
  ::RedrawWindow(window_.get(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void Win32Picture::SetCursor(std::int16_t shape) {
  cursor_ = ::LoadCursorW(nullptr, CursorFor(shape));
  // WM_SETCURSOR comes only with the next move, and never while the strip holds the capture.
  POINT pointer{};
  const bool over = ::GetCursorPos(&pointer) && ::WindowFromPoint(pointer) == window_.get();
  if (over || ::GetCapture() == window_.get()) ::SetCursor(cursor_);
}

void Win32Picture::Press(HWND window, PointerButton button, bool doubleClick, WPARAM wParam,
                         LPARAM lParam) {
  ::SetCapture(window);
  if (doubleClick) {
    backend_.input().StripDoubleClicked(button, Decode(wParam, lParam));
  } else {
    backend_.input().StripPressed(button, Decode(wParam, lParam));
  }
}

void Win32Picture::Release(HWND window, PointerButton button, WPARAM wParam, LPARAM lParam) {
  backend_.input().StripReleased(button, Decode(wParam, lParam));
  ReleaseCaptureAfterLastButton(window, wParam);
}

LRESULT Win32Picture::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (const auto painted = PaintBackground(window, message, wParam, background_.get())) {
    return *painted;
  }
  switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      Press(window, PointerButton::kLeft, message == WM_LBUTTONDBLCLK, wParam, lParam);
      return 0;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
      Press(window, PointerButton::kRight, message == WM_RBUTTONDBLCLK, wParam, lParam);
      return 0;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
      Press(window, PointerButton::kMiddle, message == WM_MBUTTONDBLCLK, wParam, lParam);
      return 0;
    case WM_MOUSEMOVE:
      backend_.input().StripMoved(Decode(wParam, lParam));
      return 0;
    case WM_LBUTTONUP:
      Release(window, PointerButton::kLeft, wParam, lParam);
      return 0;
    case WM_RBUTTONUP:
      Release(window, PointerButton::kRight, wParam, lParam);
      return 0;
    case WM_MBUTTONUP:
      Release(window, PointerButton::kMiddle, wParam, lParam);
      return 0;
    case WM_SETCURSOR:
      if (reinterpret_cast<HWND>(wParam) == window && LOWORD(lParam) == HTCLIENT) {
        ::SetCursor(cursor_);
        return TRUE;
      }
      return ::DefWindowProcW(window, message, wParam, lParam);
    default:
      // WM_CANCELMODE and WM_CAPTURECHANGED included: the capture just goes.
      return ::DefWindowProcW(window, message, wParam, lParam);
  }
}

}  // namespace coverstrip::win32
