// The options the program takes: --help and --version, which answer and end, --peek-while-paused,
// which the strip is shown with, and anything else, which is refused. Read before the platform
// starts, so that none of them needs a display.
#pragma once

#include <array>
#include <optional>
#include <string_view>

namespace coverstrip {

// What the program says and the status it ends with instead of showing the strip. The text comes
// in pieces (an unknown option is quoted in its message), written one after the other.
struct CommandLineReply {
  bool isError;  // for standard error rather than standard output
  std::array<std::string_view, 3> text;
  int status;
};

inline constexpr int kExitBadCommandLine = 2;

// What the strip is shown with.
struct StripOptions {
  // Step aside while a media player is paused (see overlay/paused_peek.h).
  bool peekWhilePaused = false;
};

struct CommandLine {
  // Set when the program is to answer and end instead of showing the strip.
  std::optional<CommandLineReply> reply;
  StripOptions options;
};

CommandLine ReadCommandLine(int argc, const char* const* argv);

}  // namespace coverstrip
