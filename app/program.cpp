// Form1 is the start object: the process creates it, shows it and has no other window. The
// command line is read first, so that --help, --version and unknown options need no display.
#include "app/program.h"

#include <memory>

#include "app/command_line.h"
#include "app/form1.h"
#include "app/form1_design.h"
#include "platform/shared/application.h"
#include "platform/shared/console_output.h"

namespace coverstrip {

int RunProgram(int argc, char** argv) {
  if (const auto reply = ReadCommandLine(argc, argv)) {
    WriteConsoleText(reply->isError, reply->text);
    return reply->status;
  }
  return RunApplication(argc, argv, Form1Design(),
                        [](Platform& platform) -> std::unique_ptr<FormEvents> {
                          return std::make_unique<Form1>(platform);
                        });
}

}  // namespace coverstrip
