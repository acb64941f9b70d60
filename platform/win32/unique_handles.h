// Owners of the Win32 handles this backend creates: windows, GDI brushes and fonts, icons and
// kernel objects (files).
// Each frees its handle when it goes out of scope.
#pragma once

#include <memory>
#include <type_traits>

#include "platform/win32/windows_api.h"

namespace coverstrip::win32 {

struct WindowDestroyer {
  // A window may already be gone with its parent or owner.
  void operator()(HWND window) const {
    if (::IsWindow(window)) ::DestroyWindow(window);
  }
};

struct GdiObjectDeleter {
  void operator()(HGDIOBJ object) const { ::DeleteObject(object); }
};

struct IconDestroyer {
  void operator()(HICON icon) const { ::DestroyIcon(icon); }
};

struct HandleCloser {
  void operator()(HANDLE handle) const { ::CloseHandle(handle); }
};

using UniqueWindow = std::unique_ptr<std::remove_pointer_t<HWND>, WindowDestroyer>;
using UniqueBrush = std::unique_ptr<std::remove_pointer_t<HBRUSH>, GdiObjectDeleter>;
using UniqueFont = std::unique_ptr<std::remove_pointer_t<HFONT>, GdiObjectDeleter>;
using UniqueIcon = std::unique_ptr<std::remove_pointer_t<HICON>, IconDestroyer>;
using UniqueHandle = std::unique_ptr<std::remove_pointer_t<HANDLE>, HandleCloser>;

}  // namespace coverstrip::win32
