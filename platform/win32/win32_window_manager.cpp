// USER32's SetWindowPos, GetWindowLongA, SetWindowLongA and SetLayeredWindowAttributes, with
// the arguments as given; nothing is decided here.
#include "platform/win32/win32_window_manager.h"

#include "platform/win32/windows_api.h"

namespace coverstrip::win32 {
namespace {

HWND AsWindow(NativeHandle handle) {
  return reinterpret_cast<HWND>(handle);
}

}  // namespace

bool Win32WindowManager::SetWindowPos(NativeHandle window, NativeHandle insertAfter, std::int32_t x,
                                      std::int32_t y, std::int32_t cx, std::int32_t cy,
                                      std::uint32_t flags) {
  return ::SetWindowPos(AsWindow(window), AsWindow(insertAfter), x, y, cx, cy, flags) != FALSE;
}

std::int32_t Win32WindowManager::GetWindowLongA(NativeHandle window, std::int32_t index) {
  return static_cast<std::int32_t>(::GetWindowLongA(AsWindow(window), index));
}

std::int32_t Win32WindowManager::SetWindowLongA(NativeHandle window, std::int32_t index,
                                                std::int32_t value) {
  return static_cast<std::int32_t>(::SetWindowLongA(AsWindow(window), index, value));
}

bool Win32WindowManager::SetLayeredWindowAttributes(NativeHandle window, Colour key,
                                                    std::uint8_t alpha, std::uint32_t flags) {
  return ::SetLayeredWindowAttributes(AsWindow(window), key, alpha, flags) != FALSE;
}

}  // namespace coverstrip::win32
