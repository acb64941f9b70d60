// UTF-8 to UTF-16 with MultiByteToWideChar and back with WideCharToMultiByte; invalid sequences
// and lone surrogates become U+FFFD. Each text is sized to what the conversion says it gives.
#include "platform/win32/wide_text.h"

#include "platform/win32/windows_api.h"

namespace coverstrip::win32 {
namespace {

// Converts piece to out, which has room for what it gives unless null; returns that size.
int Widen(std::string_view piece, wchar_t* out, int room) {
  if (piece.empty()) return 0;
  const int wide =
      ::MultiByteToWideChar(CP_UTF8, 0, piece.data(), static_cast<int>(piece.size()), out, room);
  return wide > 0 ? wide : 0;
}

}  // namespace

std::wstring Utf16(std::string_view utf8) {
  return Utf16(std::span<const std::string_view>(&utf8, 1));
}

std::wstring Utf16(std::span<const std::string_view> pieces) {
  int length = 0;
  for (const std::string_view piece : pieces) length += Widen(piece, nullptr, 0);
  std::wstring text(static_cast<std::size_t>(length), L'\0');
  int at = 0;
  for (const std::string_view piece : pieces) at += Widen(piece, text.data() + at, length - at);
  return text;
}

int Utf8(const wchar_t* utf16, char* out, int room) {
  const int narrow = ::WideCharToMultiByte(CP_UTF8, 0, utf16, -1, out, room, nullptr, nullptr);
  return narrow > 0 ? narrow : 0;
}

}  // namespace coverstrip::win32
