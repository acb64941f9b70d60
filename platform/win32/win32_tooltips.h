// The tooltips of the strip and the close mark: one comctl32 tooltip window, TTS_ALWAYSTIP since
// the form is never the active window, with one tool per window (TTF_IDISHWND | TTF_SUBCLASS, so
// the tooltip sees the tools' mouse messages itself). Owned by the form, which keeps it above the
// form, except under Wine (see WineQuirks::TooltipOwner).
#pragma once

#include <string_view>

#include "platform/win32/unique_handles.h"
#include "platform/win32/windows_api.h"

namespace coverstrip::win32 {

class Win32Tooltips {
 public:
  Win32Tooltips(HINSTANCE instance, HWND owner);
  // Shows the UTF-8 text while the pointer rests over the tool, a child of container.
  void AddTool(HWND container, HWND tool, std::string_view text);

  HWND Handle() const { return window_.get(); }

 private:
  UniqueWindow window_;
};

}  // namespace coverstrip::win32
