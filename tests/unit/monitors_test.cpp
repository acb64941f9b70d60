// Monitors that come, go and change while the overlay runs, and monitors of different DPI.
#include <gtest/gtest.h>

#include "form_fixture.h"

namespace coverstrip::testing {
namespace {

const PixelRect kStart{256, 602, 512, 40};

// A 1024 x 768 primary monitor with a second one of the same size to its right.
sim::SimConfig TwoMonitors(float secondTwipsPerPixel = 15,
                           PixelRect second = {1024, 0, 1024, 768}) {
  sim::SimConfig config = OnScreen(1024, 768);
  config.otherMonitors.push_back({second, secondTwipsPerPixel});
  return config;
}

struct Desk : LoadedForm {
  explicit Desk(sim::SimConfig config) : LoadedForm(std::move(config)) {}
  // Drags the strip's body by dx pixels in one move, holding the press when told to.
  void DragBy(int dx, bool release = true) {
    Press(3000, 300);
    MoveTo(3000.0f + static_cast<float>(dx) * 15, 300);
    if (release) Release(3000, 300);
  }
  void Unplug() {
    sim.config.otherMonitors.clear();
    sim.input().MonitorsChanged();
  }
};

TEST(Monitors, StripLeftOnNoMonitorComesBackWhereStartUpPutsIt) {
  Desk desk(TwoMonitors());
  desk.DragBy(1024);
  EXPECT_EQ(desk.sim.form, (PixelRect{1280, 602, 512, 40}));
  desk.Unplug();
  EXPECT_EQ(desk.sim.form, kStart);
}

TEST(Monitors, StripPartlyOnAMonitorStaysWhereItIs) {
  Desk desk(TwoMonitors());
  desk.DragBy(700);  // from 956 to 1468: 68 pixels still on the primary monitor
  desk.Unplug();
  EXPECT_EQ(desk.sim.form, (PixelRect{956, 602, 512, 40}));
  desk.sim.input().MonitorsChanged();  // a change that leaves it shown changes nothing either
  EXPECT_EQ(desk.sim.form, (PixelRect{956, 602, 512, 40}));
}

TEST(Monitors, NothingChangesWhileAPressIsHeldAndTheReleaseBringsItBack) {
  Desk desk(TwoMonitors());
  desk.DragBy(1024, false);
  desk.Unplug();
  EXPECT_EQ(desk.sim.form, (PixelRect{1280, 602, 512, 40}));
  desk.Release(3000, 300);
  EXPECT_EQ(desk.sim.form, kStart);
}

TEST(Monitors, ComingBackFollowsTheStartUpRuleOnTheScreenAsItIsNow) {
  Desk desk(TwoMonitors());
  desk.DragBy(1024);
  desk.sim.config.screenWidthPixels = 800;  // the primary monitor's resolution lowered too
  desk.sim.config.screenHeightPixels = 600;
  desk.Unplug();
  EXPECT_EQ(desk.sim.form, (PixelRect{200, 560, 400, 40}));  // the top raised on a low screen
}

TEST(Monitors, PrimaryMonitorIsTheOriginWhereverTheDesktopStarts) {
  sim::SimConfig config = OnScreen(1024, 768);
  config.otherMonitors.push_back({{-1920, -300, 1920, 1080}, 15});
  LoadedForm form(config);
  ASSERT_EQ(form.platform().screen.Monitors().size(), 2u);
  EXPECT_EQ(form.platform().screen.Monitors()[1].left, -1920 * 15);
  EXPECT_EQ(form.sim.form, kStart);
}

TEST(MonitorDpi, StripKeepsItsSizeInTwipsOnAMonitorOfAnotherDpi) {
  Desk desk(TwoMonitors(7.5f, {1024, 0, 2048, 1536}));  // 192 dpi to the right
  desk.Press(3000, 300);
  desk.MoveTo(3000 + 800 * 15, 300);  // most of the strip now on the second monitor
  EXPECT_EQ(desk.sim.TwipsPerPixel(), 7.5f);
  EXPECT_EQ(desk.platform().form.Width(), 7680);
  EXPECT_EQ(desk.platform().form.Height(), 600);
  EXPECT_EQ(desk.sim.form.width, 1024);
  EXPECT_EQ(desk.sim.strip, (PixelRect{0, 0, 1024, 80}));
  EXPECT_EQ(desk.sim.closeMark, (PixelRect{0, 0, 50, 34}));  // its font follows the DPI too

  // The press point is still under the pointer: the drag goes on by exactly what the pointer
  // moves, in the new monitor's pixels, without a jump.
  const PixelRect crossed = desk.sim.form;
  desk.MoveTo(3000 + 150, 300);
  EXPECT_EQ(desk.sim.form, (PixelRect{crossed.left + 20, crossed.top, 1024, 80}));
  desk.Release(3000 + 150, 300);
  EXPECT_EQ(desk.sim.form.width, 1024);
  EXPECT_EQ(desk.platform().screen.Width(), 15360);  // the primary monitor's, at its own DPI
}

}  // namespace
}  // namespace coverstrip::testing
