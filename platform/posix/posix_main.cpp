// The entry point on Linux: the arguments as the system gives them, in the locale's encoding
// (UTF-8 in a UTF-8 locale).
#include "app/program.h"

int main(int argc, char** argv) {
  return coverstrip::RunProgram(argc, argv);
}
