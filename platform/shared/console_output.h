// Text for the user outside the strip's window, as the platform delivers it: the standard streams
// on Linux; on Windows, which gives a GUI program no console, the console of the process that
// started it, or a message box when there is none. The pieces are written one after the other.
#pragma once

#include <span>
#include <string_view>

namespace coverstrip {

void WriteConsoleText(bool isError, std::span<const std::string_view> pieces);

}  // namespace coverstrip
