// UTF-8 to UTF-16 with MultiByteToWideChar; invalid sequences become U+FFFD.
#include "platform/win32/wide_text.h"

#include "platform/win32/windows_api.h"

namespace coverstrip::win32 {

std::wstring Utf16(std::string_view utf8) {
  if (utf8.empty()) return {};
  const int length = static_cast<int>(utf8.size());
  const int wide = ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), length, nullptr, 0);
  if (wide <= 0) return {};
  std::wstring text(static_cast<std::size_t>(wide), L'\0');
  ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), length, text.data(), wide);
  return text;
}

}  // namespace coverstrip::win32
