// Form1 on Win32. Its geometry changes are single SetWindowPos calls with SWP_NOZORDER and
// SWP_NOACTIVATE, so they neither restack nor activate; the topmost band is the window manager
// calls' business. The class icon is resource 1, the program's own icon.
#include "platform/win32/win32_form.h"

#include <utility>

#include "platform/win32/pixel_scale.h"
#include "platform/win32/resource_ids.h"
#include "platform/win32/wide_text.h"

namespace coverstrip::win32 {
namespace {

UniqueIcon LoadProgramIcon(HINSTANCE instance, int widthMetric, int heightMetric) {
  return UniqueIcon(static_cast<HICON>(::LoadImageW(instance, MAKEINTRESOURCEW(kProgramIcon),
                                                    IMAGE_ICON, ::GetSystemMetrics(widthMetric),
                                                    ::GetSystemMetrics(heightMetric), 0)));
}

}  // namespace

Win32Form::Win32Form(HINSTANCE instance, const WindowDesign& design, const Backend& backend)
    : backend_(backend),
      icon_(LoadProgramIcon(instance, SM_CXICON, SM_CYICON)),
      smallIcon_(LoadProgramIcon(instance, SM_CXSMICON, SM_CYSMICON)),
      class_(MakeWindowClass<Win32Form>(instance, {.name = L"coverstrip.Form1",
                                                   .style = CS_DBLCLKS,
                                                   .icon = icon_.get(),
                                                   .smallIcon = smallIcon_.get()})) {
  const std::wstring caption = Utf16(design.caption);
  // NOTE: WS_SYSMENU shows nothing on a window without caption. Wine hands a caption-less popup
  // to the X window manager only with it (or once the window is activated, which a
  // SetWindowPos without SWP_NOACTIVATE does): with it the window is managed from its first map,
  // and its topmost state shows as _NET_WM_STATE_ABOVE, instead of changing kind at run time.
  window_.reset(::CreateWindowExW(WS_EX_NOACTIVATE | WS_EX_TOOLWINDOW, class_.Name(),
                                  caption.c_str(), WS_POPUP | WS_SYSMENU | WS_CLIPCHILDREN, 0, 0, 0,
                                  0, nullptr, nullptr, instance, this));
}

PixelRect Win32Form::Rect() const {
  RECT rect{};
  ::GetWindowRect(window_.get(), &rect);
  return {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
}

// What stays as it is is not sent again: under Wine each part of a request is answered by the X
// server, and a position sent again with a new size could land after a newer move.
void Win32Form::SetRect(const PixelRect& rect) {
  const PixelRect before = Rect();
  UINT flags = SWP_NOZORDER | SWP_NOACTIVATE;
  if (rect.left == before.left && rect.top == before.top) flags |= SWP_NOMOVE;
  if (rect.width == before.width && rect.height == before.height) flags |= SWP_NOSIZE;
  if ((flags & (SWP_NOMOVE | SWP_NOSIZE)) == (SWP_NOMOVE | SWP_NOSIZE)) return;  // as it is
  settingGeometry_ = true;
  ::SetWindowPos(window_.get(), nullptr, rect.left, rect.top, rect.width, rect.height, flags);
  settingGeometry_ = false;
  RECT now{};
  ::GetWindowRect(window_.get(), &now);
  echoes_.Requested(now);
}

void Win32Form::FilterOutsideChange(WINDOWPOS& position) {
  constexpr UINT kKeepsGeometry = SWP_NOMOVE | SWP_NOSIZE;
  if (settingGeometry_ || (position.flags & kKeepsGeometry) == kKeepsGeometry) return;
  RECT target{};
  ::GetWindowRect(window_.get(), &target);
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

bool Win32Form::DesktopChanged() {
  const std::array<int, 7> now{
      ::GetSystemMetrics(SM_XVIRTUALSCREEN),  ::GetSystemMetrics(SM_YVIRTUALSCREEN),
      ::GetSystemMetrics(SM_CXVIRTUALSCREEN), ::GetSystemMetrics(SM_CYVIRTUALSCREEN),
      ::GetSystemMetrics(SM_CXSCREEN),        ::GetSystemMetrics(SM_CYSCREEN),
      ::GetSystemMetrics(SM_CMONITORS)};
  return std::exchange(desktop_, now) != now;
}

void Win32Form::SetColour(Colour colour) {
  background_.reset(::CreateSolidBrush(colour));
  ::InvalidateRect(window_.get(), nullptr, TRUE);
}

void Win32Form::RaisePopupAbove() {
  if (popupAbove_ == nullptr || !::IsWindowVisible(popupAbove_)) return;
  ::SetWindowPos(popupAbove_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

LRESULT Win32Form::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (const auto painted = PaintBackground(window, message, wParam, background_.get())) {
    return *painted;
  }
  switch (message) {
    case WM_MOUSEACTIVATE:
      // A click leaves the focus with the program the user works in.
      return MA_NOACTIVATE;
    case WM_WINDOWPOSCHANGING:
      FilterOutsideChange(*reinterpret_cast<WINDOWPOS*>(lParam));
      return ::DefWindowProcW(window, message, wParam, lParam);
    case WM_WINDOWPOSCHANGED:
      if ((reinterpret_cast<const WINDOWPOS*>(lParam)->flags & SWP_NOZORDER) == 0) {
        RaisePopupAbove();
      }
      return ::DefWindowProcW(window, message, wParam, lParam);
    case WM_DISPLAYCHANGE:
      if (DesktopChanged()) backend_.input().MonitorsChanged();
      return 0;
    case WM_DPICHANGED: {
      // The shared layer rescales the windows to keep their size in twips; Windows' suggested
      // place for the window goes with it.
      const UINT previous = std::exchange(dpi_, DpiOf(window));
      const RECT& suggested = *reinterpret_cast<const RECT*>(lParam);
      if (previous != dpi_) {
        backend_.input().DpiChanged(1440.0f / static_cast<float>(previous),
                                    PixelPoint{suggested.left, suggested.top});
      }
      return 0;
    }
    case WM_TIMER:
      if (wParam != kTimerId) return 0;
      // NOTE: Wine sends no WM_DISPLAYCHANGE when the X server's screen changes under it; the
      // desktop's metrics, looked at every second, tell. Not at every tick: they cost idle time.
      if (++ticksSinceDesktopRead_ >= kTicksBetweenDesktopReads) {
        ticksSinceDesktopRead_ = 0;
        if (DesktopChanged()) backend_.input().MonitorsChanged();
      }
      backend_.input().TimerTicked();
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
