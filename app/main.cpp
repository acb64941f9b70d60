// Form1 is the start object: the process creates it, shows it and has no other window.
#include <memory>

#include "app/form1.h"
#include "app/form1_design.h"
#include "platform/shared/application.h"

int main(int argc, char** argv) {
  return coverstrip::RunApplication(
      argc, argv, coverstrip::Form1Design(),
      [](coverstrip::Platform& platform) { return std::make_unique<coverstrip::Form1>(platform); });
}
