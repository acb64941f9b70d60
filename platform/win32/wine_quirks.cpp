#include "platform/win32/wine_quirks.h"

#include <cwchar>
#include <utility>

#include "platform/win32/module_function.h"
#include "platform/win32/win32_form.h"

namespace coverstrip::win32 {
namespace {

// A function of user32, looked up by name; null if it has none of that name.
template <typename Function>
Function User32Function(const char* name) {
  return ModuleFunction<Function>(::GetModuleHandleW(L"user32.dll"), name);
}

// Set, with the hook, by the first FormKeptInactive that hooks.
decltype(&::CallNextHookEx) callNextHook = nullptr;

LRESULT CALLBACK RefuseToActivateForm(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_ACTIVATE) {
    wchar_t name[32]{};
    ::GetClassNameW(reinterpret_cast<HWND>(wParam), name, 32);
    if (std::wcscmp(name, Win32Form::kClassName) == 0) return 1;
  }
  return callNextHook(nullptr, code, wParam, lParam);
}

}  // namespace

bool WineQuirks::Detect() {
  const HMODULE ntdll = ::GetModuleHandleW(L"ntdll.dll");
  return ntdll != nullptr && ::GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

WineQuirks::WineQuirks(bool underWine) : underWine_(underWine) {
  if (underWine_) desktop_ = ReadDesktop();
}

void WineQuirks::FormRequested(const PixelRect& taken) {
  if (underWine_) lateReports_.Requested(taken, ::GetTickCount64());
}

void WineQuirks::FilterOutsideChange(HWND form, WINDOWPOS& position) {
  constexpr UINT kKeepsGeometry = SWP_NOMOVE | SWP_NOSIZE;
  if (!underWine_ || (position.flags & kKeepsGeometry) == kKeepsGeometry) return;
  // Read back, not as last taken: under Wine the two can differ while reports come in.
  RECT now{};
  ::GetWindowRect(form, &now);
  PixelRect target{now.left, now.top, now.right - now.left, now.bottom - now.top};
  if ((position.flags & SWP_NOMOVE) == 0) {
    target = {position.x, position.y, target.width, target.height};
  }
  if ((position.flags & SWP_NOSIZE) == 0) {
    target = {target.left, target.top, position.cx, position.cy};
  }
  // The strip and the close mark hold the capture from a press to the last release.
  const bool dragging = ::GetCapture() != nullptr;
  if (lateReports_.Refuses(target, ::GetTickCount64(), dragging)) {
    position.flags |= kKeepsGeometry;
    outOfStep_ = !dragging;
  }
}

void WineQuirks::ResyncAtTick(HWND form) {
  if (!std::exchange(outOfStep_, false)) return;
  // Below the window it is below now: the restack changes nothing in USER32's z-order.
  const HWND above = ::GetWindow(form, GW_HWNDPREV);
  ::SetWindowPos(form, above != nullptr ? above : HWND_TOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
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
  if (!wine.underWine_) return;
  const auto setHook = User32Function<decltype(&::SetWindowsHookExW)>("SetWindowsHookExW");
  unhook_ = User32Function<decltype(&::UnhookWindowsHookEx)>("UnhookWindowsHookEx");
  callNextHook = User32Function<decltype(&::CallNextHookEx)>("CallNextHookEx");
  if (setHook != nullptr && unhook_ != nullptr && callNextHook != nullptr) {
    hook_ = setHook(WH_CBT, &RefuseToActivateForm, nullptr, ::GetCurrentThreadId());
  }
}

WineQuirks::FormKeptInactive::~FormKeptInactive() {
  if (hook_ != nullptr) unhook_(hook_);
}

}  // namespace coverstrip::win32
