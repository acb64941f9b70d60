// Start-up placement, keep-on-top and closing, on the in-memory platform.
#include <gtest/gtest.h>

#include "form_fixture.h"

namespace coverstrip::testing {
namespace {

TEST(StartUp, PlacesHalfScreenStripAQuarterInAtTheDesignTop) {
  LoadedForm small(OnScreen(1024, 768));
  EXPECT_EQ(small.sim.form, (PixelRect{256, 602, 512, 40}));
  EXPECT_EQ(small.sim.strip, (PixelRect{0, 0, 512, 40}));
  EXPECT_TRUE(small.sim.shown);

  LoadedForm large(OnScreen(1920, 1080));
  EXPECT_EQ(large.sim.form, (PixelRect{480, 602, 960, 40}));
  EXPECT_EQ(large.form.DownX, 0);
  EXPECT_EQ(large.form.TransparencyPercent, 0);
}

TEST(StartUp, StartsWithTheDesignsColoursAndCursor) {
  LoadedForm form;
  EXPECT_EQ(form.sim.formColour, 0u);
  EXPECT_EQ(form.sim.stripColour, 0u);
  EXPECT_EQ(form.sim.closeMarkColour, 0x0000FFu);
  EXPECT_EQ(form.sim.cursor, 15);
  EXPECT_FALSE(form.Layered());
}

TEST(StartUp, CloseMarkStandsAtFiveThenTenAfterTheNextResize) {
  LoadedForm form(OnScreen(15360, 11520, 1));  // one twip a pixel shows the 5-twip offset
  EXPECT_EQ(form.sim.closeMark, (PixelRect{5, 5, 375, 255}));

  // Neither a move that keeps the strip's size nor a change of the window's own size runs the
  // size rules.
  ASSERT_TRUE(form.platform().picture.Move(150, 150));
  form.platform().form.SetWidth(3000);
  EXPECT_EQ(form.sim.closeMark, (PixelRect{5, 5, 375, 255}));
  EXPECT_EQ(form.sim.form.width, 3000);

  ASSERT_TRUE(form.platform().picture.Move(0, 0, 3000.0f, 900.0f));
  EXPECT_EQ(form.sim.closeMark, (PixelRect{10, 10, 375, 255}));
}

TEST(StartUp, TopStaysAtTheDesignEdgeWhileAnyOfTheWindowIsOnTheScreen) {
  // 642 pixels high: the 40-pixel window starts partly below the bottom edge.
  LoadedForm partly(OnScreen(1024, 642));
  EXPECT_EQ(partly.sim.form.top, 602);

  LoadedForm justBelow(OnScreen(1024, 603));
  EXPECT_EQ(justBelow.sim.form.top, 602);
}

TEST(StartUp, ScreenTooLowForTheDesignTopShowsTheWholeStrip) {
  LoadedForm exactlyAtEdge(OnScreen(1024, 602));
  EXPECT_EQ(exactlyAtEdge.sim.form.top, 602 - 40);

  LoadedForm low(OnScreen(1024, 600));
  EXPECT_EQ(low.sim.form, (PixelRect{256, 560, 512, 40}));

  LoadedForm tiny(OnScreen(200, 30));  // lower than the window itself: top edge at the screen's
  EXPECT_EQ(tiny.sim.form.top, 0);
}

TEST(StartUp, KeepsOnTopWithoutActivatingAtEveryTickWhileTheTimerRuns) {
  LoadedForm form;
  EXPECT_TRUE(form.sim.topmost);
  EXPECT_TRUE(form.sim.timerRunning);
  const WindowAbove other{0x99, WindowRole::kOrdinary}, strip{sim::SimBackend::kHandle};
  for (int tick = 0; tick < 20; ++tick) {
    form.sim.stacking = {other, strip};  // another window took the top
    form.sim.Tick();
    EXPECT_EQ(form.sim.stacking, (std::vector{strip, other}));
  }
  EXPECT_FALSE(form.sim.activated);
  const std::int32_t style =
      form.platform().windowManager.GetWindowLongA(sim::SimBackend::kHandle, wm::kExStyleIndex);
  EXPECT_TRUE(style & wm::kExStyleTopmost);

  form.platform().timer.SetEnabled(false);
  EXPECT_FALSE(form.sim.timerRunning);
  form.sim.stacking = {other, strip};
  form.sim.input().TimerTicked();  // a tick already queued when the timer stopped
  EXPECT_EQ(form.sim.stacking, (std::vector{other, strip}));
}

TEST(StartUp, CloseMarkDoubleClickEndsTheProcessAndNothingElseDoes) {
  LoadedForm form;
  form.DoubleClick(60, 60);
  form.Press(60, 60);
  form.Release(60, 60);
  form.sim.input().CloseMarkDoubleClicked(PointerButton::kRight);
  EXPECT_FALSE(form.sim.ended);
  form.CloseMarkDoubleClick();
  EXPECT_TRUE(form.sim.ended);
}

}  // namespace
}  // namespace coverstrip::testing
