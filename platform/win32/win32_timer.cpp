// Timer1 on Win32. A WM_TIMER already taken from the queue when the timer was killed is dropped,
// so that no tick arrives while the timer is disabled.
#include "platform/win32/win32_timer.h"

namespace coverstrip::win32 {

Win32Timer::Win32Timer(HWND form, const WindowDesign& design)
    : form_(form),
      intervalMs_(static_cast<UINT>(design.timerIntervalMs)),
      enabled_(design.timerEnabled) {}

Win32Timer::~Win32Timer() {
  if (started_) Disarm();
}

void Win32Timer::Start() {
  started_ = true;
  if (enabled_) Arm();
}

void Win32Timer::SetEnabled(bool enabled) {
  enabled_ = enabled;
  if (!started_) return;
  if (enabled) {
    Arm();
  } else {
    Disarm();
  }
}

void Win32Timer::Tick(UINT_PTR id) {
  if (id != kId || !enabled_ || events_ == nullptr) return;
  events_->Timer1_Timer();
}

void Win32Timer::Arm() {
  // Arming again restarts the interval.
  ::SetTimer(form_, kId, intervalMs_, nullptr);
}

void Win32Timer::Disarm() {
  ::KillTimer(form_, kId);
}

}  // namespace coverstrip::win32
