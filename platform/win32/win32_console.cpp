// WriteConsoleText on Windows. The exe is a GUI program, which Windows starts without a console:
// when the caller redirected the standard stream to a file or a pipe, the text goes there as it
// is; to a console handed down as the standard handle, if any; otherwise to the console of the
// process that started it (AttachConsole), and when there is none (started from Explorer or a
// shortcut), to a message box.
#include "platform/shared/console_output.h"
#include "platform/win32/unique_handles.h"
#include "platform/win32/windows_api.h"

namespace coverstrip {
namespace {

// Room for the longest text, --help, with a margin.
constexpr int kTextCapacity = 4096;

// The pieces as one UTF-16 text, ended by a null; cut short if it would not fit.
int Widen(std::span<const std::string_view> pieces, wchar_t (&text)[kTextCapacity]) {
  int length = 0;
  for (const std::string_view piece : pieces) {
    if (piece.empty()) continue;
    length += ::MultiByteToWideChar(CP_UTF8, 0, piece.data(), static_cast<int>(piece.size()),
                                    text + length, kTextCapacity - 1 - length);
  }
  text[length] = L'\0';
  return length;
}

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

  wchar_t text[kTextCapacity];
  const int length = Widen(pieces, text);
  DWORD written = 0;
  // Wine, for one, hands down the console of the terminal it was started from.
  if (isConsole && ::WriteConsoleW(standard, text, static_cast<DWORD>(length), &written, nullptr)) {
    return;
  }
  if (::AttachConsole(ATTACH_PARENT_PROCESS)) {
    const HANDLE opened =
        ::CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                      nullptr, OPEN_EXISTING, 0, nullptr);
    if (opened != INVALID_HANDLE_VALUE) {
      const win32::UniqueHandle console(opened);
      if (::WriteConsoleW(console.get(), text, static_cast<DWORD>(length), &written, nullptr)) {
        return;
      }
    }
  }
  ::MessageBoxW(nullptr, text, L"coverstrip",
                MB_OK | (isError ? MB_ICONERROR : MB_ICONINFORMATION));
}

}  // namespace coverstrip
