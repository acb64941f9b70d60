// Timer1 as a Win32 timer of the form's window: SetTimer arms it, KillTimer stops it, and each
// WM_TIMER of its id becomes Timer1_Timer.
#pragma once

#include "platform/form_events.h"
#include "platform/toolkit.h"
#include "platform/win32/windows_api.h"
#include "platform/window_design.h"

namespace coverstrip::win32 {

class Win32Timer final : public Timer {
 public:
  Win32Timer(HWND form, const WindowDesign& design);
  ~Win32Timer() override;
  Win32Timer(const Win32Timer&) = delete;
  Win32Timer& operator=(const Win32Timer&) = delete;
  void Attach(FormEvents* events) { events_ = events; }

  // Begins ticking, when enabled, once the window is shown.
  void Start();
  void SetEnabled(bool enabled) override;
  bool Enabled() const override { return enabled_; }

  // A WM_TIMER of the form's window.
  void Tick(UINT_PTR id);

 private:
  void Arm();
  void Disarm();

  static constexpr UINT_PTR kId = 1;
  HWND form_;
  UINT intervalMs_;
  bool enabled_;
  bool started_ = false;
  FormEvents* events_ = nullptr;
};

}  // namespace coverstrip::win32
