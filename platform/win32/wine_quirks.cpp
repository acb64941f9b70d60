#include "platform/win32/wine_quirks.h"

#include <cwchar>
#include <utility>

#include "platform/win32/win32_form.h"

namespace coverstrip::win32 {
namespace {

LRESULT CALLBACK RefuseToActivateForm(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_ACTIVATE) {
    wchar_t name[32]{};
    ::GetClassNameW(reinterpret_cast<HWND>(wParam), name, 32);
    if (std::wcscmp(name, Win32Form::kClassName) == 0) return 1;
  }
  return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace

bool WineQuirks::Detect() {
  const HMODULE ntdll = ::GetModuleHandleW(L"ntdll.dll");
  return ntdll != nullptr && ::GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

WineQuirks::WineQuirks(bool underWine) : underWine_(underWine) {
  if (underWine_) desktop_ = ReadDesktop();
}

void WineQuirks::FormRestacked(HWND tooltip) const {
  if (!underWine_ || tooltip == nullptr || !::IsWindowVisible(tooltip)) return;
  ::SetWindowPos(tooltip, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

bool WineQuirks::DesktopChangedAtTick(HWND form) {
  if (!underWine_ || ++ticksSinceDesktopRead_ < kTicksBetweenDesktopReads) return false;
  ticksSinceDesktopRead_ = 0;
  const Desktop now = ReadDesktop();
  const bool changed = std::exchange(desktop_, now) != now;
  return changed || ::MonitorFromWindow(form, MONITOR_DEFAULTTONULL) == nullptr;
}

WineQuirks::Desktop WineQuirks::ReadDesktop() {
  return {::GetSystemMetrics(SM_XVIRTUALSCREEN),  ::GetSystemMetrics(SM_YVIRTUALSCREEN),
          ::GetSystemMetrics(SM_CXVIRTUALSCREEN), ::GetSystemMetrics(SM_CYVIRTUALSCREEN),
          ::GetSystemMetrics(SM_CXSCREEN),        ::GetSystemMetrics(SM_CYSCREEN),
          ::GetSystemMetrics(SM_CMONITORS)};
}

WineQuirks::FormKeptInactive::FormKeptInactive(const WineQuirks& wine) {
  if (wine.underWine_) {
    hook_ = ::SetWindowsHookExW(WH_CBT, &RefuseToActivateForm, nullptr, ::GetCurrentThreadId());
  }
}

WineQuirks::FormKeptInactive::~FormKeptInactive() {
  if (hook_ != nullptr) ::UnhookWindowsHookEx(hook_);
}

}  // namespace coverstrip::win32
