// The windows above the form in USER32's z-order (GetWindow with GW_HWNDPREV), the visible ones,
// each told by its window class: the system classes Windows documents for menus (#32768),
// tooltips and balloon notifications (tooltips_class32), combo lists (ComboLBox), input-method
// windows (IME, and MSCTFIME UI of the Text Services Framework) and drag images (SysDragImage),
// and the form's own class for another copy of this program. On Windows the z-order is what the
// screen shows.
#pragma once

#include "platform/contract/z_order.h"

namespace coverstrip::win32 {

class Win32ZOrder final : public ZOrder {
 public:
  bool WindowsAbove(NativeHandle window, std::vector<WindowAbove>& above) override;
};

}  // namespace coverstrip::win32
