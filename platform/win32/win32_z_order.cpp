#include "platform/win32/win32_z_order.h"

#include <cwchar>

#include "platform/win32/win32_form.h"
#include "platform/win32/windows_api.h"

namespace coverstrip::win32 {
namespace {

// Microsoft's own caution: a window list walked with GetWindow can change under the walk, so the
// walk ends after this many windows whatever happens.
constexpr int kMostWindows = 4096;

struct ClassRole {
  const wchar_t* name;
  WindowRole role;
};

constexpr ClassRole kClassRoles[] = {
    {L"#32768", WindowRole::kMenu},
    {L"tooltips_class32", WindowRole::kTooltip},
    {L"ComboLBox", WindowRole::kComboList},
    {L"IME", WindowRole::kInputMethod},
    {L"MSCTFIME UI", WindowRole::kInputMethod},
    {L"SysDragImage", WindowRole::kDragImage},
    {Win32Form::kClassName, WindowRole::kStrip},
};

WindowRole RoleOf(HWND window) {
  // A class name has at most 256 characters.
  wchar_t name[257]{};
  if (::GetClassNameW(window, name, 257) == 0) return WindowRole::kOrdinary;
  for (const ClassRole& known : kClassRoles) {
    if (std::wcscmp(name, known.name) == 0) return known.role;
  }
  return WindowRole::kOrdinary;
}

}  // namespace

bool Win32ZOrder::WindowsAbove(NativeHandle window, std::vector<WindowAbove>& above) {
  above.clear();
  HWND next = reinterpret_cast<HWND>(window);
  for (int walked = 0; walked < kMostWindows; ++walked) {
    next = ::GetWindow(next, GW_HWNDPREV);
    if (next == nullptr) return true;
    if (::IsWindowVisible(next)) {
      above.push_back({reinterpret_cast<NativeHandle>(next), RoleOf(next)});
    }
  }
  return true;
}

}  // namespace coverstrip::win32
