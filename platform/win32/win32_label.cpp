// Label1 on Win32. The "transparent" background is the strip's own: the strip is asked to erase
// the mark's area (WM_ERASEBKGND with the mark's DC shifted to the strip's coordinates), then
// the caption is drawn with SetBkMode(TRANSPARENT). The font is CreateFontW with the design's
// face, weight and character set at -points x DPI / 72 pixels; GDI maps a missing face to the
// nearest font of that character set. It is made again when the DPI changes.
#include "platform/win32/win32_label.h"

#include <cmath>

#include "platform/pixel_geometry.h"
#include "platform/win32/pixel_scale.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/win32_picture.h"

namespace coverstrip::win32 {
namespace {

constexpr double kPointsPerInch = 72;

}  // namespace

Win32Label::Win32Label(HINSTANCE instance, HWND parent, const WindowDesign& design)
    : class_(MakeWindowClass<Win32Label>(instance,
                                         {.name = L"coverstrip.Label1", .style = CS_DBLCLKS})),
      caption_(Utf16(design.labelCaption)),
      fontDesign_(design.labelFont),
      fontFace_(Utf16(design.labelFont.face)),
      foreColor_(design.labelForeColor) {
  const PixelGeometry pixels =
      DesignedGeometry(ScaleOf(parent), kCoordinateLimitPixels, design.label);
  window_.reset(::CreateWindowExW(0, class_.Name(), caption_.c_str(), WS_CHILD | WS_VISIBLE,
                                  pixels.left, pixels.top, pixels.width, pixels.height, parent,
                                  nullptr, instance, this));
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

void Win32Label::Move(Twips left, Twips top) {
  const TwipsScale scale = ScaleOf(window_.get());
  const auto x = scale.ToPixels(left, kCoordinateLimitPixels);
  const auto y = scale.ToPixels(top, kCoordinateLimitPixels);
  if (!x || !y) return;
  ::SetWindowPos(window_.get(), nullptr, *x, *y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Win32Label::SetContainer(PictureBox& container) {
  auto* strip = dynamic_cast<Win32Picture*>(&container);
  if (strip == nullptr || ::GetParent(window_.get()) == strip->Handle()) return;
  ::SetParent(window_.get(), strip->Handle());
}

void Win32Label::SetForeColor(Colour colour) {
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
    case WM_LBUTTONDBLCLK:
      if (events_ != nullptr) events_->Label1_DblClick();
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
