// HACK(Wine): what the Windows build does differently when it runs under Wine, all of it here (the
// window manager's reports in late_reports.h), behind the one check that it does (ntdll exports
// wine_get_version). On Windows none of it runs and the backend does what Windows documents.
#pragma once

#include <array>

#include "platform/shared/backend.h"
#include "platform/win32/late_reports.h"
#include "platform/win32/windows_api.h"

namespace coverstrip::win32 {

class WineQuirks {
 public:
  // Whether this process runs under Wine.
  static bool Detect();

  explicit WineQuirks(bool underWine);

  // HACK(Wine): Wine hands a caption-less popup to the X window manager only with WS_SYSMENU
  // (which shows nothing without a caption) or once it is activated; with it the form is managed
  // from its first map, and its topmost state shows as _NET_WM_STATE_ABOVE, so that the window
  // manager stacks it over managed windows and under the colour dialog, as Windows does.
  DWORD FormStyle() const { return underWine_ ? WS_SYSMENU : 0; }

  // HACK(Wine): the window manager's reports of the form's own requests, applied back by Wine,
  // undo those requests; they are refused (see late_reports.h). On Windows SetWindowPos takes
  // effect at once and nothing is refused.
  void FormRequested(const PixelRect& taken);
  void FilterOutsideChange(HWND form, WINDOWPOS& position);

  // HACK(Wine): Wine links an owner below its topmost owned popup, where it loses WS_EX_TOPMOST,
  // so under Wine the tooltip has no owner and is raised above the form whenever the form is
  // restacked. On Windows the form owns it, which keeps it above the form.
  HWND TooltipOwner(HWND form) const { return underWine_ ? nullptr : form; }
  void FormRestacked(HWND tooltip) const;

  // HACK(Wine): Windows passes over a WS_EX_NOACTIVATE window when it picks the window to
  // activate as a dialog closes; Wine activates it, and the keyboard with it. While it lives, a
  // CBT hook of this thread refuses to activate the form under Wine; on Windows it does nothing.
  // The hook functions are looked up at run time, under Wine only: the exe imports none, since a
  // small unsigned exe that imports a hook and reads the keyboard is what antivirus heuristics
  // flag.
  class FormKeptInactive {
   public:
    explicit FormKeptInactive(const WineQuirks& wine);
    ~FormKeptInactive();
    FormKeptInactive(const FormKeptInactive&) = delete;
    FormKeptInactive& operator=(const FormKeptInactive&) = delete;

   private:
    HHOOK hook_ = nullptr;
    decltype(&::UnhookWindowsHookEx) unhook_ = nullptr;
  };

  // HACK(Wine): Wine sends no WM_DISPLAYCHANGE when the X server's screen changes under it. The
  // desktop's metrics, looked at once a second of timer ticks (not at every tick: each read is a
  // round trip to the wineserver), tell; so does a form left on no monitor, which only a change
  // can bring about, since a change and its undoing can both fall between two looks. Always false
  // on Windows.
  bool DesktopChangedAtTick(HWND form);

  // HACK(Wine): a refused report leaves the X window where the window manager put it (a form
  // mapped past the screen's edge is put on it) while USER32 keeps the place the form asked for.
  // Wine writes the form's whole configuration to X at each restack, so the next tick restacks
  // it where it stands, once. On Windows no report is refused and nothing is sent.
  void ResyncAtTick(HWND form);

 private:
  using Desktop = std::array<int, 7>;
  static Desktop ReadDesktop();

  bool underWine_;
  LateReports lateReports_;
  bool outOfStep_ = false;
  static constexpr int kTicksBetweenDesktopReads = 20;
  int ticksSinceDesktopRead_ = 0;
  Desktop desktop_{};  // as at start, or at the last change seen
};

}  // namespace coverstrip::win32
