// The keep-on-top at a tick, over the windows of other programs: which it covers, which it stays
// below, and two strips that keep their order.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "form_fixture.h"

namespace coverstrip::testing {
namespace {

constexpr WindowAbove kForm{sim::SimBackend::kHandle};
constexpr WindowAbove kPlayer{0x20, WindowRole::kOrdinary};
constexpr WindowAbove kMenu{0x30, WindowRole::kMenu};
constexpr WindowAbove kOtherStrip{0x40, WindowRole::kStrip};

WindowAbove Transient(WindowRole role) {
  return {0x50, role};
}

struct Case {
  std::string what;
  std::vector<WindowAbove> before;  // top-most first
  std::vector<WindowAbove> after;
  bool inTopmostBand = true;
};

TEST(KeepOnTop, CoversOrdinaryWindowsAndStandsAsideForTransientOnesAndOtherStrips) {
  std::vector<Case> cases = {
      {"a window raised over it", {kPlayer, kForm}, {kForm, kPlayer}},
      {"a window below it", {kForm, kPlayer}, {kForm, kPlayer}},
      {"a menu over the player", {kMenu, kPlayer, kForm}, {kMenu, kForm, kPlayer}},
      {"another strip above it", {kOtherStrip, kForm, kPlayer}, {kOtherStrip, kForm, kPlayer}},
      // The upper strip rises first, then this one follows it: their order stays.
      {"a window over both strips", {kPlayer, kOtherStrip, kForm}, {kPlayer, kOtherStrip, kForm}},
      {"a window under the other strip",
       {kOtherStrip, kPlayer, kForm},
       {kOtherStrip, kForm, kPlayer}},
      {"back from the colour dialog", {kMenu, kForm}, {kForm, kMenu}, false},
  };
  for (const WindowRole role :
       {WindowRole::kMenu, WindowRole::kTooltip, WindowRole::kComboList, WindowRole::kInputMethod,
        WindowRole::kDragImage, WindowRole::kNotification, WindowRole::kUnmanagedPopup}) {
    const std::string what = "transient window " + std::to_string(static_cast<int>(role));
    cases.push_back({what, {Transient(role), kForm}, {Transient(role), kForm}});
    cases.push_back({what + " over the player",
                     {Transient(role), kPlayer, kForm},
                     {Transient(role), kForm, kPlayer}});
  }
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    LoadedForm form;
    WindowManager& windowManager = form.platform().windowManager;
    if (!c.inTopmostBand) {
      windowManager.SetWindowPos(kForm.window, wm::kInsertNotTopmost, 0, 0, 0, 0,
                                 wm::kNoSize | wm::kNoMove | wm::kNoActivate);
    }
    form.sim.stacking = c.before;
    form.sim.Tick();
    EXPECT_EQ(form.sim.stacking, c.after);
    form.sim.Tick();  // and it stays so
    EXPECT_EQ(form.sim.stacking, c.after);
    EXPECT_TRUE(windowManager.GetWindowLongA(kForm.window, wm::kExStyleIndex) &
                wm::kExStyleTopmost);
    EXPECT_FALSE(form.sim.activated);
  }
}

}  // namespace
}  // namespace coverstrip::testing
