#include "app/command_line.h"

namespace coverstrip {
namespace {

// Ends with a newline, as the version line does.
constexpr std::string_view kHelp =
    "Usage: coverstrip [--peek-while-paused]\n"
    "       coverstrip --help | --version\n"
    "\n"
    "Shows one frameless strip above every other window, to cover a band of the\n"
    "screen such as the subtitles of a video. It takes no keyboard focus and is\n"
    "worked with the mouse:\n"
    "  drag the strip                  moves it\n"
    "  drag its left or top band       stretches it from that edge (10 px bands)\n"
    "  move with the right button held chooses its colour\n"
    "  double-click                    one step more translucent (13, then opaque)\n"
    "  double-click its red cross      closes it\n"
    "  hold Ctrl+Alt, nothing else     hides it while held, to peek beneath\n"
    "                                  (AltGr is not Alt: use the left Alt there)\n"
    "\n"
    "Options:\n"
    "  --peek-while-paused  also hide it while a video is paused: when a media\n"
    "                       player that was playing pauses and no other plays,\n"
    "                       until one plays again or the paused one closes\n"
    "                       (players that tell the desktop, over MPRIS on Linux,\n"
    "                       through the system's media controls on Windows)\n"
    "  --help               show this text and end\n"
    "  --version            show the version and end\n"
    "\n"
    "Exit status: 0 when closed with its cross, and after --help or --version;\n"
    "1 when it cannot start (on Linux: no X display to connect to);\n"
    "2 for any other argument.\n"
    "On Windows this text goes to the console the program was started from, or,\n"
    "with none, to a message box.\n";

constexpr std::string_view kVersion = "coverstrip " COVERSTRIP_VERSION "\n";
constexpr std::string_view kPeekWhilePaused = "--peek-while-paused";

bool IsOption(std::string_view argument) {
  return argument == "--help" || argument == "--version" || argument == kPeekWhilePaused;
}

}  // namespace

CommandLine ReadCommandLine(int argc, const char* const* argv) {
  if (argc < 2) return {};
  const std::string_view first = argv[1];
  if (argc == 2 && first == "--help") {
    return {CommandLineReply{false, {kHelp}, 0}, {}};
  }
  if (argc == 2 && first == "--version") {
    return {CommandLineReply{false, {kVersion}, 0}, {}};
  }
  if (argc == 2 && first == kPeekWhilePaused) {
    return {std::nullopt, {.peekWhilePaused = true}};
  }
  // The first argument that is not an option, or else the second option: one is all it takes.
  std::string_view unknown = argv[argc > 2 ? 2 : 1];
  for (int i = 1; i < argc; ++i) {
    if (const std::string_view argument = argv[i]; !IsOption(argument)) {
      unknown = argument;
      break;
    }
  }
  return {CommandLineReply{true,
                           {"coverstrip: unknown option '", unknown, "' (see coverstrip --help)\n"},
                           kExitBadCommandLine},
          {}};
}

}  // namespace coverstrip
