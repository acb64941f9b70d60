// The options the program takes before it shows anything: --help and --version, which answer and
// end, and anything else, which is refused. Read before the platform starts, so that none of
// them needs a display.
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

// nullopt when there is no argument: the strip is to be shown.
std::optional<CommandLineReply> ReadCommandLine(int argc, const char* const* argv);

}  // namespace coverstrip
