// WriteConsoleText on Linux: the pieces to standard output or standard error.
#include <cstdio>

#include "platform/shared/console_output.h"

namespace coverstrip {

void WriteConsoleText(bool isError, std::span<const std::string_view> pieces) {
  std::FILE* const stream = isError ? stderr : stdout;
  for (const std::string_view piece : pieces) std::fwrite(piece.data(), 1, piece.size(), stream);
  std::fflush(stream);
}

}  // namespace coverstrip
