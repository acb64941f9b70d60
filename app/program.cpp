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
namespace {

struct Form1Factory final : FormFactory {
  explicit Form1Factory(StripOptions stripOptions) : options(stripOptions) {}
  std::unique_ptr<FormEvents> Make(Platform& platform) const override {
    return std::make_unique<Form1>(platform, options);
  }
  StripOptions options;
};

}  // namespace

int RunProgram(int argc, char** argv) {
  const CommandLine commandLine = ReadCommandLine(argc, argv);
  if (const auto& reply = commandLine.reply) {
    WriteConsoleText(reply->isError, reply->text);
    return reply->status;
  }
  return RunApplication(argc, argv, Form1Design(), Form1Factory(commandLine.options));
}

}  // namespace coverstrip
