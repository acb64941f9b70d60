// comctl32 tooltips; TOOLINFOW is the full size, which needs comctl32 version 6 (the manifest
// loads it): an older comctl32 refuses TTM_ADDTOOLW at that size.
#include "platform/win32/win32_tooltips.h"

#include <string>

#include "platform/win32/wide_text.h"

namespace coverstrip::win32 {

Win32Tooltips::Win32Tooltips(HINSTANCE instance, HWND owner)
    : window_(::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                                WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                                CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr,
                                instance, nullptr)) {}

void Win32Tooltips::AddTool(HWND container, HWND tool, std::string_view text) {
  std::wstring wide = Utf16(text);
  TOOLINFOW info{};
  info.cbSize = sizeof info;
  info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  info.hwnd = container;
  info.uId = reinterpret_cast<UINT_PTR>(tool);
  info.hinst = nullptr;
  // The tooltip keeps its own copy of the text.
  info.lpszText = wide.data();
  ::SendMessageW(window_.get(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
}

}  // namespace coverstrip::win32
