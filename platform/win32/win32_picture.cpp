// Picture1 on Win32. A move or resize is one SetWindowPos; when it changed the pixel size, the
// form's Picture1_Resize runs before the call returns (the WM_SIZE of creation and of showing
// reach nobody). Pointer messages: presses (a double-click's second press included) take the
// capture and become Picture1_MouseDown, WM_LBUTTONDBLCLK then also Picture1_DblClick; moves
// carry the MK_ button sum; X and Y are the signed client coordinates in twips.
#include "platform/win32/win32_picture.h"

#include "platform/pixel_geometry.h"
#include "platform/types.h"

namespace coverstrip::win32 {
namespace {

std::int16_t ButtonsHeld(WPARAM wParam) {
  int buttons = 0;
  if ((wParam & MK_LBUTTON) != 0) buttons |= mouse_button::kLeft;
  if ((wParam & MK_RBUTTON) != 0) buttons |= mouse_button::kRight;
  if ((wParam & MK_MBUTTON) != 0) buttons |= mouse_button::kMiddle;
  return static_cast<std::int16_t>(buttons);
}

// Shift 1, Ctrl 2, Alt 4.
std::int16_t ShiftState(WPARAM wParam) {
  int shift = 0;
  if ((wParam & MK_SHIFT) != 0) shift |= 1;
  if ((wParam & MK_CONTROL) != 0) shift |= 2;
  if (::GetKeyState(VK_MENU) < 0) shift |= 4;
  return static_cast<std::int16_t>(shift);
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

Win32Picture::Win32Picture(HINSTANCE instance, HWND parent, const WindowDesign& design)
    : class_(MakeWindowClass<Win32Picture>(instance,
                                           {.name = L"coverstrip.Picture1", .style = CS_DBLCLKS})),
      backColor_(design.pictureBackColor),
      background_(::CreateSolidBrush(design.pictureBackColor)),
      mousePointer_(design.pictureMousePointer),
      cursor_(::LoadCursorW(nullptr, CursorFor(design.pictureMousePointer))) {
  const PixelGeometry pixels =
      DesignedGeometry(ScaleOf(parent), kCoordinateLimitPixels, design.picture);
  window_.reset(::CreateWindowExW(0, class_.Name(), L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN,
                                  pixels.left, pixels.top, pixels.width, pixels.height, parent,
                                  nullptr, instance, this));
}

RECT Win32Picture::RectInParent() const {
  RECT rect{};
  ::GetWindowRect(window_.get(), &rect);
  ::MapWindowPoints(HWND_DESKTOP, ::GetParent(window_.get()), reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

Twips Win32Picture::Left() const {
  return Scale().ToTwips(RectInParent().left);
}

Twips Win32Picture::Top() const {
  return Scale().ToTwips(RectInParent().top);
}

Twips Win32Picture::Width() const {
  const RECT rect = RectInParent();
  return Scale().ToTwips(rect.right - rect.left);
}

Twips Win32Picture::Height() const {
  const RECT rect = RectInParent();
  return Scale().ToTwips(rect.bottom - rect.top);
}

Twips Win32Picture::ScaleWidth() const {
  RECT client{};
  ::GetClientRect(window_.get(), &client);
  return Scale().ToTwips(client.right);
}

Twips Win32Picture::ScaleHeight() const {
  RECT client{};
  ::GetClientRect(window_.get(), &client);
  return Scale().ToTwips(client.bottom);
}

bool Win32Picture::SetWidth(Twips width) {
  return Move(Left(), Top(), width, std::nullopt);
}

bool Win32Picture::SetHeight(Twips height) {
  return Move(Left(), Top(), std::nullopt, height);
}

bool Win32Picture::Move(Twips left, Twips top, std::optional<Twips> width,
                        std::optional<Twips> height) {
  const RECT before = RectInParent();
  const std::int32_t widthBefore = before.right - before.left;
  const std::int32_t heightBefore = before.bottom - before.top;
  const auto requested = RequestedStripGeometry(Scale(), kCoordinateLimitPixels, left, top, width,
                                                height, widthBefore, heightBefore);
  if (!requested) return false;

  ::SetWindowPos(window_.get(), nullptr, requested->left, requested->top, requested->width,
                 requested->height, SWP_NOZORDER | SWP_NOACTIVATE);
  const RECT after = RectInParent();
  const bool resized =
      after.right - after.left != widthBefore || after.bottom - after.top != heightBefore;
  if (resized && events_ != nullptr) events_->Picture1_Resize();
  return true;
}

void Win32Picture::SetMousePointer(std::int16_t shape) {
  mousePointer_ = shape;
  cursor_ = ::LoadCursorW(nullptr, CursorFor(shape));
  // WM_SETCURSOR comes only with the next move, and never while the strip holds the capture.
  POINT pointer{};
  const bool over = ::GetCursorPos(&pointer) && ::WindowFromPoint(pointer) == window_.get();
  if (over || ::GetCapture() == window_.get()) ::SetCursor(cursor_);
}

void Win32Picture::SetBackColor(Colour colour) {
  backColor_ = colour;
  background_.reset(::CreateSolidBrush(colour));
  // The close mark shows the strip's colour around its "×": it is repainted too.
  ::RedrawWindow(window_.get(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void Win32Picture::Press(HWND window, std::int16_t button, WPARAM wParam, LPARAM lParam) {
  ::SetCapture(window);
  if (events_ == nullptr) return;
  const TwipsScale scale = Scale();
  events_->Picture1_MouseDown(button, ShiftState(wParam), scale.ToTwips(GET_X_LPARAM(lParam)),
                              scale.ToTwips(GET_Y_LPARAM(lParam)));
}

void Win32Picture::Release(HWND window, std::int16_t button, WPARAM wParam, LPARAM lParam) {
  if (events_ != nullptr) {
    const TwipsScale scale = Scale();
    events_->Picture1_MouseUp(button, ShiftState(wParam), scale.ToTwips(GET_X_LPARAM(lParam)),
                              scale.ToTwips(GET_Y_LPARAM(lParam)));
  }
  if (ButtonsHeld(wParam) == 0 && ::GetCapture() == window) ::ReleaseCapture();
}

void Win32Picture::Paint(HWND window) {
  PAINTSTRUCT paint;
  ::BeginPaint(window, &paint);
  ::EndPaint(window, &paint);
}

LRESULT Win32Picture::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_LBUTTONDOWN:
      Press(window, mouse_button::kLeft, wParam, lParam);
      return 0;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
      Press(window, mouse_button::kRight, wParam, lParam);
      return 0;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
      Press(window, mouse_button::kMiddle, wParam, lParam);
      return 0;
    case WM_LBUTTONDBLCLK:
      // The second press of a double-click: a press, then the double-click.
      Press(window, mouse_button::kLeft, wParam, lParam);
      if (events_ != nullptr) events_->Picture1_DblClick();
      return 0;
    case WM_MOUSEMOVE:
      if (events_ != nullptr) {
        const TwipsScale scale = Scale();
        events_->Picture1_MouseMove(ButtonsHeld(wParam), ShiftState(wParam),
                                    scale.ToTwips(GET_X_LPARAM(lParam)),
                                    scale.ToTwips(GET_Y_LPARAM(lParam)));
      }
      return 0;
    case WM_LBUTTONUP:
      Release(window, mouse_button::kLeft, wParam, lParam);
      return 0;
    case WM_RBUTTONUP:
      Release(window, mouse_button::kRight, wParam, lParam);
      return 0;
    case WM_MBUTTONUP:
      Release(window, mouse_button::kMiddle, wParam, lParam);
      return 0;
    case WM_SETCURSOR:
      if (reinterpret_cast<HWND>(wParam) == window && LOWORD(lParam) == HTCLIENT) {
        ::SetCursor(cursor_);
        return TRUE;
      }
      return ::DefWindowProcW(window, message, wParam, lParam);
    case WM_ERASEBKGND: {
      RECT client;
      ::GetClientRect(window, &client);
      ::FillRect(reinterpret_cast<HDC>(wParam), &client, background_.get());
      return 1;
    }
    case WM_PAINT:
      Paint(window);
      return 0;
    default:
      // WM_CANCELMODE and WM_CAPTURECHANGED included: the capture just goes.
      return ::DefWindowProcW(window, message, wParam, lParam);
  }
}

}  // namespace coverstrip::win32
