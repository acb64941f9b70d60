// WriteConsoleText on Windows. The exe is a GUI program, which Windows starts without a console:
// when the caller redirected the standard stream to a file or a pipe, the text goes there as it
// is; to a console handed down as the standard handle, if any; otherwise to the console of the
// process that started it (AttachConsole), and when there is none (started from Explorer or a
// shortcut), to a message box.
#include <string>

#include "platform/shared/console_output.h"
#include "platform/win32/unique_handles.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/windows_api.h"

namespace coverstrip {
namespace {

bool WriteBytes(HANDLE handle, std::span<const std::string_view> pieces) {
  for (const std::string_view piece : pieces) {
    DWORD written = 0;
    if (!piece.empty() &&
        (!::WriteFile(handle, piece.data(), static_cast<DWORD>(piece.size()), &written, nullptr) ||
         written != piece.size())) {
      return false;
    }
  }
  return true;
}

}  // namespace

void WriteConsoleText(bool isError, std::span<const std::string_view> pieces) {
  const HANDLE standard = ::GetStdHandle(isError ? STD_ERROR_HANDLE : STD_OUTPUT_HANDLE);
  DWORD mode = 0;
  const bool handedDown = standard != nullptr && standard != INVALID_HANDLE_VALUE;
  const bool isConsole = handedDown && ::GetConsoleMode(standard, &mode);
  if (handedDown && !isConsole && WriteBytes(standard, pieces)) return;

  const std::wstring text = win32::Utf16(pieces);
  const auto length = static_cast<DWORD>(text.size());
  DWORD written = 0;
  // Wine, for one, hands down the console of the terminal it was started from.
  if (isConsole && ::WriteConsoleW(standard, text.c_str(), length, &written, nullptr)) {
    return;
  }
  if (::AttachConsole(ATTACH_PARENT_PROCESS)) {
    const HANDLE opened =
        ::CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                      nullptr, OPEN_EXISTING, 0, nullptr);
    if (opened != INVALID_HANDLE_VALUE) {
      const win32::UniqueHandle console(opened);
      if (::WriteConsoleW(console.get(), text.c_str(), length, &written, nullptr)) {
        return;
      }
    }
  }
  ::MessageBoxW(nullptr, text.c_str(), L"coverstrip",
                MB_OK | (isError ? MB_ICONERROR : MB_ICONINFORMATION));
}

}  // namespace coverstrip
