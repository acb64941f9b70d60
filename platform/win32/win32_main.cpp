// The entry point on Windows (wmain, linked with -municode): the command line as Windows keeps it,
// in UTF-16, split into arguments by msvcrt by the same rules as main's, and passed on in UTF-8.
// main's arguments are in the ANSI code page, which has lost every character outside it. Neither
// the manifest's UTF-8 code page (honoured from Windows 10 1903 only) nor shell32's
// CommandLineToArgvW (one more DLL loaded at every start) is needed for that.
#include <algorithm>
#include <memory>

#include "app/program.h"
#include "platform/win32/wide_text.h"

int wmain(int argc, wchar_t** argv) {
  // Every argument with its null in one block, each at least that null.
  int size = 0;
  for (int i = 0; i < argc; ++i) size += std::max(coverstrip::win32::Utf8(argv[i], nullptr, 0), 1);
  const std::unique_ptr<char[]> text(new char[static_cast<std::size_t>(size)]);
  const std::unique_ptr<char*[]> arguments(new char*[static_cast<std::size_t>(argc) + 1]);
  for (int i = 0, at = 0; i < argc; ++i) {
    arguments[i] = text.get() + at;
    const int written = coverstrip::win32::Utf8(argv[i], arguments[i], size - at);
    if (written == 0) arguments[i][0] = '\0';
    at += std::max(written, 1);
  }
  arguments[argc] = nullptr;
  return coverstrip::RunProgram(argc, arguments.get());
}
