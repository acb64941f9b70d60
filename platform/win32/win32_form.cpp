// Form1 on Win32. Its geometry changes are single SetWindowPos calls with SWP_NOZORDER and
// SWP_NOACTIVATE, so they neither restack nor activate; the topmost band is the window manager
// calls' business. The class icon is resource 1, the program's own icon.
#include "platform/win32/win32_form.h"

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

Win32Form::Win32Form(HINSTANCE instance, const WindowDesign& design, const Backend& backend,
                     WineQuirks& wine)
    : backend_(backend),
      wine_(wine),
      icon_(LoadProgramIcon(instance, SM_CXICON, SM_CYICON)),
      smallIcon_(LoadProgramIcon(instance, SM_CXSMICON, SM_CYSMICON)),
      class_(MakeWindowClass<Win32Form>(instance, {.name = kClassName,
                                                   .style = CS_DBLCLKS,
                                                   .icon = icon_.get(),
                                                   .smallIcon = smallIcon_.get()})) {
  const std::wstring caption = Utf16(design.caption);
  window_.reset(::CreateWindowExW(WS_EX_NOACTIVATE | WS_EX_TOOLWINDOW, class_.Name(),
                                  caption.c_str(), WS_POPUP | WS_CLIPCHILDREN | wine_.FormStyle(),
                                  0, 0, 0, 0, nullptr, nullptr, instance, this));
  TakeGeometry(window_.get());
}

void Win32Form::TakeGeometry(HWND window) {
  RECT rect{};
  ::GetWindowRect(window, &rect);
  rect_ = {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
}

// What stays as it is is not sent again: a request for nothing would still be a message.
void Win32Form::SetRect(const PixelRect& rect) {
  UINT flags = SWP_NOZORDER | SWP_NOACTIVATE;
  if (rect.left == rect_.left && rect.top == rect_.top) flags |= SWP_NOMOVE;
  if (rect.width == rect_.width && rect.height == rect_.height) flags |= SWP_NOSIZE;
  if ((flags & (SWP_NOMOVE | SWP_NOSIZE)) == (SWP_NOMOVE | SWP_NOSIZE)) return;
  settingGeometry_ = true;
  ::SetWindowPos(window_.get(), nullptr, rect.left, rect.top, rect.width, rect.height, flags);
  settingGeometry_ = false;
  // As taken: the system may have held it within its own limits.
  TakeGeometry(window_.get());
  wine_.FormRequested(rect_);
}

void Win32Form::SetColour(Colour colour) {
  background_.reset(::CreateSolidBrush(colour));
  ::InvalidateRect(window_.get(), nullptr, TRUE);
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
      if (!settingGeometry_) {
        wine_.FilterOutsideChange(window, *reinterpret_cast<WINDOWPOS*>(lParam));
      }
      return ::DefWindowProcW(window, message, wParam, lParam);
    case WM_WINDOWPOSCHANGED: {
      // Moved by the system (a change of the displays, say) as well as by its own request.
      const auto& position = *reinterpret_cast<const WINDOWPOS*>(lParam);
      if ((position.flags & (SWP_NOMOVE | SWP_NOSIZE)) != (SWP_NOMOVE | SWP_NOSIZE)) {
        TakeGeometry(window);
        if (!settingGeometry_) backend_.input().FormMovedOutside();
      }
      if ((position.flags & SWP_NOZORDER) == 0) wine_.FormRestacked(tooltip_);
      return ::DefWindowProcW(window, message, wParam, lParam);
    }
    case WM_DISPLAYCHANGE:
    case WM_SETTINGCHANGE:  // among others, a change of a monitor's scale
      backend_.input().MonitorsChanged();
      return 0;
    case WM_DPICHANGED: {
      // The shared layer rescales the windows to keep their size in twips; Windows' suggested
      // place for the window goes with it.
      const RECT& suggested = *reinterpret_cast<const RECT*>(lParam);
      backend_.input().DpiChanged(TwipsPerPixelAt(LOWORD(wParam)),
                                  PixelPoint{suggested.left, suggested.top});
      return 0;
    }
    case WM_TIMER:
      if (wParam != kTimerId) return 0;
      if (wine_.DesktopChangedAtTick(window)) backend_.input().MonitorsChanged();
      wine_.ResyncAtTick(window);
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
