// The keep-on-top at a tick among other programs' windows (top-most first): what it covers, what
// it stays below, and two strips that keep their order.
#include <gtest/gtest.h>

#include <vector>

#include "form_fixture.h"

namespace coverstrip::testing {
namespace {

TEST(KeepOnTop, CoversOrdinaryWindowsAndStandsAsideForTransientOnesAndOtherStrips) {
  const WindowAbove form{sim::SimBackend::kHandle}, player{0x20}, strip{0x30, WindowRole::kStrip};
  struct Case {
    std::vector<WindowAbove> before, after;
    bool inTopmostBand = true;
  };
  std::vector<Case> cases = {
      {{player, form}, {form, player}},
      {{form, player}, {form, player}},
      {{strip, form, player}, {strip, form, player}},
      // The upper strip rises first, then this one follows it: their order stays.
      {{player, strip, form}, {player, strip, form}},
      {{strip, player, form}, {strip, form, player}},
      {{{0x40, WindowRole::kMenu}, form},
       {form, {0x40, WindowRole::kMenu}},
       false},  // after the dialog
  };
  for (const WindowRole role :
       {WindowRole::kMenu, WindowRole::kTooltip, WindowRole::kComboList, WindowRole::kInputMethod,
        WindowRole::kDragImage, WindowRole::kNotification, WindowRole::kUnmanagedPopup}) {
    const WindowAbove transient{0x50, role};
    cases.push_back({{transient, player, form}, {transient, form, player}});
  }
  for (const Case& c : cases) {
    SCOPED_TRACE(&c - cases.data());  // the case's row
    LoadedForm loaded;
    WindowManager& windowManager = loaded.platform().windowManager;
    if (!c.inTopmostBand) {
      windowManager.SetWindowPos(form.window, wm::kInsertNotTopmost, 0, 0, 0, 0,
                                 wm::kNoSize | wm::kNoMove | wm::kNoActivate);
    }
    loaded.sim.stacking = c.before;
    for (int tick = 0; tick < 2; ++tick) {  // and it stays so
      loaded.sim.Tick();
      EXPECT_EQ(loaded.sim.stacking, c.after);
    }
    EXPECT_TRUE(windowManager.GetWindowLongA(form.window, wm::kExStyleIndex) & wm::kExStyleTopmost);
    EXPECT_FALSE(loaded.sim.activated);
  }
}

}  // namespace
}  // namespace coverstrip::testing
