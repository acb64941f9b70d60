// Form1 on Win32. Size and position changes are single SetWindowPos calls with SWP_NOZORDER and
// SWP_NOACTIVATE, so they neither restack nor activate; the topmost band is the window manager
// calls' business. The class icon is resource 1, the program's own icon.
#include "platform/win32/win32_form.h"

#include "platform/pixel_geometry.h"
#include "platform/win32/resource_ids.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/win32_timer.h"

namespace coverstrip::win32 {
namespace {

constexpr UINT kPositionFlags = SWP_NOZORDER | SWP_NOACTIVATE;

UniqueIcon LoadProgramIcon(HINSTANCE instance, int widthMetric, int heightMetric) {
  return UniqueIcon(static_cast<HICON>(::LoadImageW(instance, MAKEINTRESOURCEW(kProgramIcon),
                                                    IMAGE_ICON, ::GetSystemMetrics(widthMetric),
                                                    ::GetSystemMetrics(heightMetric), 0)));
}

}  // namespace

Win32Form::Win32Form(HINSTANCE instance, const WindowDesign& design)
    : icon_(LoadProgramIcon(instance, SM_CXICON, SM_CYICON)),
      smallIcon_(LoadProgramIcon(instance, SM_CXSMICON, SM_CYSMICON)),
      class_(MakeWindowClass<Win32Form>(instance, {.name = L"coverstrip.Form1",
                                                   .style = CS_DBLCLKS,
                                                   .icon = icon_.get(),
                                                   .smallIcon = smallIcon_.get()})),
      background_(::CreateSolidBrush(design.formBackColor)) {
  // Before the window exists its DPI is the system's.
  const PixelGeometry pixels =
      DesignedGeometry(ScaleOf(nullptr), kCoordinateLimitPixels, design.form);
  const std::wstring caption = Utf16(design.caption);
  // NOTE: WS_SYSMENU shows nothing on a window without caption. Wine hands a caption-less popup
  // to the X window manager only with it (or once the window is activated, which a
  // SetWindowPos without SWP_NOACTIVATE does): with it the window is managed from its first map,
  // and its topmost state shows as _NET_WM_STATE_ABOVE, instead of changing kind at run time.
  window_.reset(::CreateWindowExW(WS_EX_NOACTIVATE | WS_EX_TOOLWINDOW, class_.Name(),
                                  caption.c_str(), WS_POPUP | WS_SYSMENU | WS_CLIPCHILDREN,
                                  pixels.left, pixels.top, pixels.width, pixels.height, nullptr,
                                  nullptr, instance, this));
}

RECT Win32Form::Rect() const {
  RECT rect{};
  ::GetWindowRect(window_.get(), &rect);
  return rect;
}

Twips Win32Form::Left() const {
  return Scale().ToTwips(Rect().left);
}

Twips Win32Form::Top() const {
  return Scale().ToTwips(Rect().top);
}

Twips Win32Form::Width() const {
  const RECT rect = Rect();
  return Scale().ToTwips(rect.right - rect.left);
}

Twips Win32Form::Height() const {
  const RECT rect = Rect();
  return Scale().ToTwips(rect.bottom - rect.top);
}

void Win32Form::SetWidth(Twips width) {
  const auto pixels = Scale().ToPixels(width, kCoordinateLimitPixels);
  if (!pixels || *pixels < 0) return;
  const RECT rect = Rect();
  SetGeometry(0, 0, *pixels, rect.bottom - rect.top, SWP_NOMOVE);
}

void Win32Form::SetHeight(Twips height) {
  const auto pixels = Scale().ToPixels(height, kCoordinateLimitPixels);
  if (!pixels || *pixels < 0) return;
  const RECT rect = Rect();
  SetGeometry(0, 0, rect.right - rect.left, *pixels, SWP_NOMOVE);
}

void Win32Form::Move(Twips left, Twips top) {
  const TwipsScale scale = Scale();
  const auto x = scale.ToPixels(left, kCoordinateLimitPixels);
  const auto y = scale.ToPixels(top, kCoordinateLimitPixels);
  if (!x || !y) return;
  SetGeometry(*x, *y, 0, 0, SWP_NOSIZE);
}

void Win32Form::SetGeometry(int x, int y, int width, int height, UINT flags) {
  settingGeometry_ = true;
  ::SetWindowPos(window_.get(), nullptr, x, y, width, height, kPositionFlags | flags);
  settingGeometry_ = false;
  echoes_.Requested(Rect());
}

void Win32Form::FilterOutsideChange(WINDOWPOS& position) {
  constexpr UINT kKeepsGeometry = SWP_NOMOVE | SWP_NOSIZE;
  if (settingGeometry_ || (position.flags & kKeepsGeometry) == kKeepsGeometry) return;
  RECT target = Rect();
  if ((position.flags & SWP_NOMOVE) == 0) {
    ::OffsetRect(&target, position.x - target.left, position.y - target.top);
  }
  if ((position.flags & SWP_NOSIZE) == 0) {
    target.right = target.left + position.cx;
    target.bottom = target.top + position.cy;
  }
  if (echoes_.IsStaleEcho(target)) {
    position.flags |= kKeepsGeometry;
  } else {
    echoes_.Forget();
  }
}

void Win32Form::SetBackColor(Colour colour) {
  background_.reset(::CreateSolidBrush(colour));
  ::InvalidateRect(window_.get(), nullptr, TRUE);
}

NativeHandle Win32Form::hWnd() const {
  return reinterpret_cast<NativeHandle>(window_.get());
}

void Win32Form::Show() {
  ::ShowWindow(window_.get(), SW_SHOWNOACTIVATE);
}

void Win32Form::Paint(HWND window) {
  PAINTSTRUCT paint;
  ::BeginPaint(window, &paint);
  ::EndPaint(window, &paint);
}

void Win32Form::RaisePopupAbove() {
  if (popupAbove_ == nullptr || !::IsWindowVisible(popupAbove_)) return;
  ::SetWindowPos(popupAbove_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

LRESULT Win32Form::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_MOUSEACTIVATE:
      // A click leaves the focus with the program the user works in.
      return MA_NOACTIVATE;
    case WM_ERASEBKGND: {
      RECT client;
      ::GetClientRect(window, &client);
      ::FillRect(reinterpret_cast<HDC>(wParam), &client, background_.get());
      return 1;
    }
    case WM_PAINT:
      Paint(window);
      return 0;
    case WM_WINDOWPOSCHANGING:
      FilterOutsideChange(*reinterpret_cast<WINDOWPOS*>(lParam));
      return ::DefWindowProcW(window, message, wParam, lParam);
    case WM_WINDOWPOSCHANGED:
      if ((reinterpret_cast<const WINDOWPOS*>(lParam)->flags & SWP_NOZORDER) == 0) {
        RaisePopupAbove();
      }
      return ::DefWindowProcW(window, message, wParam, lParam);
    case WM_TIMER:
      if (timer_ != nullptr) timer_->Tick(wParam);
      return 0;
    case WM_DESTROY:
      // Closed from outside (WM_CLOSE, end of session): the message loop ends.
      ::PostQuitMessage(0);
      return 0;
    default:
      return ::DefWindowProcW(window, message, wParam, lParam);
  }
}

}  // namespace coverstrip::win32
