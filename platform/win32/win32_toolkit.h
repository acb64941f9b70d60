// The screen and the process on Win32: the primary screen's size in pixels (SM_CXSCREEN,
// SM_CYSCREEN) in twips at the form's DPI, and ExitProcess.
#pragma once

#include "platform/toolkit.h"
#include "platform/win32/win32_form.h"

namespace coverstrip::win32 {

class Win32Screen final : public Screen {
 public:
  explicit Win32Screen(const Win32Form& form) : form_(form) {}
  Twips Width() const override;
  Twips Height() const override;
  Twips CoordinateLimit() const override;

 private:
  const Win32Form& form_;
};

class Win32Process final : public Process {
 public:
  void End() override;
};

}  // namespace coverstrip::win32
