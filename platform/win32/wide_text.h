// The design's UTF-8 texts as the UTF-16 the W functions take.
#pragma once

#include <string>
#include <string_view>

namespace coverstrip::win32 {

std::wstring Utf16(std::string_view utf8);

// Adds utf8 to the end of text, which grows by what the conversion gives.
void AppendUtf16(std::string_view utf8, std::wstring& text);

}  // namespace coverstrip::win32
