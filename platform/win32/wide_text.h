// The design's UTF-8 texts as the UTF-16 the W functions take.
#pragma once

#include <string>
#include <string_view>

namespace coverstrip::win32 {

std::wstring Utf16(std::string_view utf8);

}  // namespace coverstrip::win32
