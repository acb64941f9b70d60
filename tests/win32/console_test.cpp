// The program's messages as a console shows them: written into a screen buffer of the test's own,
// handed down as the standard handle, and read back cell by cell.
#include <gtest/gtest.h>

#include <string>

#include "app/command_line.h"
#include "platform/shared/console_output.h"
#include "platform/win32/unique_handles.h"
#include "platform/win32/windows_api.h"

namespace coverstrip::testing {
namespace {

TEST(RealConsole, AnOptionLongerThanTheHelpIsQuotedWholeAndNothingFollowsTheMessage) {
  // A console of its own, whatever the test was started with.
  ::FreeConsole();
  ASSERT_TRUE(::AllocConsole()) << ::GetLastError();
  const win32::UniqueHandle buffer(
      ::CreateConsoleScreenBuffer(GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                  nullptr, CONSOLE_TEXTMODE_BUFFER, nullptr));
  ASSERT_NE(buffer.get(), INVALID_HANDLE_VALUE);
  ASSERT_TRUE(::SetConsoleScreenBufferSize(buffer.get(), COORD{100, 100}));
  const HANDLE standardError = ::GetStdHandle(STD_ERROR_HANDLE);
  ::SetStdHandle(STD_ERROR_HANDLE, buffer.get());

  // From a piece that just fills the longest text to twice that.
  for (const std::size_t length : {4065u, 8190u}) {
    SCOPED_TRACE(length);
    const std::string option = "--" + std::string(length, 'x') + "\xC5\x82";  // ends in "ł"
    const char* const argv[] = {"coverstrip", option.c_str()};
    const auto reply = ReadCommandLine(2, argv).reply;
    ::SetConsoleCursorPosition(buffer.get(), COORD{0, 0});
    WriteConsoleText(reply->isError, reply->text);

    const std::wstring shown = L"coverstrip: unknown option '--" + std::wstring(length, L'x') +
                               L"\u0142' (see coverstrip --help)";
    std::wstring cells(shown.size() + 1, L'?');
    DWORD read = 0;
    ::ReadConsoleOutputCharacterW(buffer.get(), cells.data(), static_cast<DWORD>(cells.size()),
                                  COORD{0, 0}, &read);
    EXPECT_EQ(cells, shown + L' ');  // and nothing after it
  }
  ::SetStdHandle(STD_ERROR_HANDLE, standardError);
}

}  // namespace
}  // namespace coverstrip::testing
