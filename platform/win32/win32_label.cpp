// Label1 on Win32. The "transparent" background is the strip's own: the strip is asked to erase
// the mark's area (WM_ERASEBKGND with the mark's DC shifted to the strip's coordinates), then
// the caption is drawn with SetBkMode(TRANSPARENT). The font is CreateFontW with the design's
// face, weight and character set at -points x DPI / 72 pixels; GDI maps a missing face to the
// nearest font of that character set. It is made again when the DPI changes.
#include "platform/win32/win32_label.h"

#include <cmath>

#include "platform/win32/pixel_scale.h"
#include "platform/win32/pointer_capture.h"
#include "platform/win32/wide_text.h"

namespace coverstrip::win32 {
namespace {

constexpr double kPointsPerInch = 72;

}  // namespace

Win32Label::Win32Label(HINSTANCE instance, HWND parent, const WindowDesign& design,
                       const Backend& backend)
    : backend_(backend),
      class_(MakeWindowClass<Win32Label>(instance,
                                         {.name = L"coverstrip.Label1", .style = CS_DBLCLKS})),
      caption_(Utf16(design.labelCaption)),
      fontDesign_(design.labelFont),
      fontFace_(Utf16(design.labelFont.face)) {
  window_.reset(::CreateWindowExW(0, class_.Name(), caption_.c_str(), WS_CHILD | WS_VISIBLE, 0, 0,
                                  0, 0, parent, nullptr, instance, this));
  CreateFontForDpi();
}

void Win32Label::CreateFontForDpi() {
  const double dpi = DpiOf(window_.get());
  const auto height = static_cast<int>(std::lround(fontDesign_.points * dpi / kPointsPerInch));
  font_.reset(::CreateFontW(
      -height, 0, 0, 0, fontDesign_.weight, fontDesign_.italic, fontDesign_.underline,
      fontDesign_.strikeout, static_cast<DWORD>(fontDesign_.charset), OUT_DEFAULT_PRECIS,
      CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, fontFace_.c_str()));
}

void Win32Label::SetRect(const PixelRect& rect) {
  ::SetWindowPos(window_.get(), nullptr, rect.left, rect.top, rect.width, rect.height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void Win32Label::SetColour(Colour colour) {
  foreColor_ = colour;
  ::InvalidateRect(window_.get(), nullptr, TRUE);
}

void Win32Label::Paint(HWND window) {
  PAINTSTRUCT paint;
  HDC dc = ::BeginPaint(window, &paint);

  const HWND parent = ::GetParent(window);
  POINT origin{0, 0};
  ::MapWindowPoints(window, parent, &origin, 1);
  POINT previous{};
  ::SetViewportOrgEx(dc, -origin.x, -origin.y, &previous);
  ::SendMessageW(parent, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
  ::SetViewportOrgEx(dc, previous.x, previous.y, nullptr);

  RECT client;
  ::GetClientRect(window, &client);
  ::SetBkMode(dc, TRANSPARENT);
  ::SetTextColor(dc, foreColor_);
  const HGDIOBJ previousFont = ::SelectObject(dc, font_.get());
  ::DrawTextW(dc, caption_.c_str(), static_cast<int>(caption_.size()), &client,
              DT_LEFT | DT_TOP | DT_NOPREFIX | DT_WORDBREAK);
  ::SelectObject(dc, previousFont);

  ::EndPaint(window, &paint);
}

LRESULT Win32Label::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    // A press on the mark keeps the pointer's input until its release, as a press on the strip
    // does: a drag from the mark onto the strip is the mark's, and does nothing.
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
      ::SetCapture(window);
      return 0;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
      ReleaseCaptureAfterLastButton(window, wParam);
      return 0;
    case WM_LBUTTONDBLCLK:
      backend_.input().CloseMarkDoubleClicked(PointerButton::kLeft);
      return 0;
    case WM_RBUTTONDBLCLK:
      backend_.input().CloseMarkDoubleClicked(PointerButton::kRight);
      return 0;
    case WM_MBUTTONDBLCLK:
      backend_.input().CloseMarkDoubleClicked(PointerButton::kMiddle);
      return 0;
    case WM_ERASEBKGND:
      // Painted with the caption, from the strip's background.
      return 1;
    case WM_PAINT:
      Paint(window);
      return 0;
    case WM_DPICHANGED_AFTERPARENT:
      CreateFontForDpi();
      ::InvalidateRect(window, nullptr, TRUE);
      return 0;
    default:
      return ::DefWindowProcW(window, message, wParam, lParam);
  }
}

}  // namespace coverstrip::win32
