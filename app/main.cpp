// Form1 is the start object: the process creates it, shows it and has no other window. The
// command line is read first, so that --help, --version and unknown options need no display.
#include <memory>

#include "app/command_line.h"
#include "app/form1.h"
#include "app/form1_design.h"
#include "platform/shared/application.h"
#include "platform/shared/console_output.h"

int main(int argc, char** argv) {
  if (const auto reply = coverstrip::ReadCommandLine(argc, argv)) {
    coverstrip::WriteConsoleText(reply->isError, reply->text);
    return reply->status;
  }
  return coverstrip::RunApplication(
      argc, argv, coverstrip::Form1Design(),
      [](coverstrip::Platform& platform) -> std::unique_ptr<coverstrip::FormEvents> {
        return std::make_unique<coverstrip::Form1>(platform);
      });
}
