// The whole program, called by each platform's entry point with the command line in UTF-8.
#pragma once

namespace coverstrip {

int RunProgram(int argc, char** argv);

}  // namespace coverstrip
