// The design's UTF-8 texts as the UTF-16 the W functions take, and what Windows gives in UTF-16
// (the command line) as UTF-8.
#pragma once

#include <span>
#include <string>
#include <string_view>

namespace coverstrip::win32 {

std::wstring Utf16(std::string_view utf8);

// The pieces one after the other, as one text.
std::wstring Utf16(std::span<const std::string_view> pieces);

// A null-ended UTF-16 text as UTF-8 with its null, into out, which has room for what it gives
// unless null; returns that size (0 if it cannot be converted).
int Utf8(const wchar_t* utf16, char* out, int room);

}  // namespace coverstrip::win32
