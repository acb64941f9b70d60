// Start-up placement, keep-on-top and closing, on the in-memory toolkit.
#include <gtest/gtest.h>

#include <algorithm>

#include "form_fixture.h"

namespace coverstrip::testing {
namespace {

using sim::PixelRect;

const std::string kKeepOnTop = "SetWindowPos(4660,-1,0,0,0,0,0x13)";

TEST(StartUp, PlacesHalfScreenStripAQuarterInAtTheDesignTop) {
  LoadedForm small(OnScreen(1024, 768));
  EXPECT_EQ(small.sim.form.rect, (PixelRect{256, 602, 512, 40}));
  EXPECT_EQ(small.sim.picture.rect, (PixelRect{0, 0, 512, 40}));

  LoadedForm large(OnScreen(1920, 1080));
  EXPECT_EQ(large.sim.form.rect, (PixelRect{480, 602, 960, 40}));
  EXPECT_EQ(large.form.DownX, 0);
  EXPECT_EQ(large.form.TransparencyPercent, 0);
}

TEST(StartUp, CloseMarkStandsAtFiveThenTenAfterTheNextResize) {
  LoadedForm form(OnScreen(15360, 11520, 1));  // one twip a pixel shows the 5-twip offset
  EXPECT_EQ(form.sim.label.rect.left, 5);
  EXPECT_EQ(form.sim.label.rect.top, 5);
  EXPECT_EQ(form.sim.label.container, &form.sim.picture);

  ASSERT_TRUE(form.sim.picture.Move(0, 0, 3000.0f, 900.0f));
  EXPECT_EQ(form.sim.label.rect.left, 10);
  EXPECT_EQ(form.sim.label.rect.top, 10);
}

TEST(StartUp, TopStaysAtTheDesignEdgeWhileAnyOfTheWindowIsOnTheScreen) {
  // 642 pixels high: the 40-pixel window starts partly below the bottom edge.
  LoadedForm partly(OnScreen(1024, 642));
  EXPECT_EQ(partly.sim.form.rect.top, 602);

  LoadedForm justBelow(OnScreen(1024, 603));
  EXPECT_EQ(justBelow.sim.form.rect.top, 602);
}

TEST(StartUp, ScreenTooLowForTheDesignTopShowsTheWholeStrip) {
  LoadedForm exactlyAtEdge(OnScreen(1024, 602));
  EXPECT_EQ(exactlyAtEdge.sim.form.rect.top, 602 - 40);

  LoadedForm low(OnScreen(1024, 600));
  EXPECT_EQ(low.sim.form.rect, (PixelRect{256, 560, 512, 40}));

  LoadedForm tiny(OnScreen(200, 30));  // lower than the window itself: top edge at the screen's
  EXPECT_EQ(tiny.sim.form.rect.top, 0);
}

TEST(StartUp, KeepsOnTopWithoutActivatingAtLoadActivateAndEveryTick) {
  LoadedForm form;
  auto& log = form.sim.log();
  EXPECT_EQ(std::count(log.begin(), log.end(), kKeepOnTop), 2);
  for (int tick = 0; tick < 20; ++tick) form.sim.Tick();
  EXPECT_EQ(std::count(log.begin(), log.end(), kKeepOnTop), 22);
  EXPECT_FALSE(form.sim.windowManager.activated);
  EXPECT_TRUE(form.sim.windowManager.styles.Get(wm::kExStyleIndex) & wm::kExStyleTopmost);

  form.sim.timer.SetEnabled(false);
  form.sim.Tick();
  EXPECT_EQ(std::count(log.begin(), log.end(), kKeepOnTop), 22);
}

TEST(StartUp, CloseMarkDoubleClickEndsTheProcessAndNothingElseDoes) {
  LoadedForm form;
  form.form.Picture1_DblClick();
  form.form.Picture1_MouseDown(1, 0, 60, 60);
  form.form.Picture1_MouseUp(1, 0, 60, 60);
  EXPECT_FALSE(form.sim.process.ended);
  form.form.Label1_DblClick();
  EXPECT_TRUE(form.sim.process.ended);
}

}  // namespace
}  // namespace coverstrip::testing
