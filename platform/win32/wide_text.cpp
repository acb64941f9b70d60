// UTF-8 to UTF-16 with MultiByteToWideChar; invalid sequences become U+FFFD. Each text is sized
// to what the conversion says it gives.
#include "platform/win32/wide_text.h"

#include "platform/win32/windows_api.h"

namespace coverstrip::win32 {

std::wstring Utf16(std::string_view utf8) {
  std::wstring text;
  AppendUtf16(utf8, text);
  return text;
}

void AppendUtf16(std::string_view utf8, std::wstring& text) {
  if (utf8.empty()) return;
  const int length = static_cast<int>(utf8.size());
  const int wide = ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), length, nullptr, 0);
  if (wide <= 0) return;
  const std::size_t start = text.size();
  text.resize(start + static_cast<std::size_t>(wide));
  ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), length, text.data() + start, wide);
}

}  // namespace coverstrip::win32
