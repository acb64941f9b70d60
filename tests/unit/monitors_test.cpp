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

TEST(Monitors, SizeLimitsAreThoseOfTheMonitorThatHoldsMostOfTheStrip) {
  struct Case {
    const char* what;
    sim::SimConfig config;
    PixelPoint place;  // where the strip is moved to, in desktop pixels
    PixelRect capped;  // its pixels once stretched past every limit
  };
  sim::SimConfig narrowPrimary = OnScreen(1280, 1024);
  narrowPrimary.otherMonitors.push_back({{1280, 0, 1920, 1080}, 15});
  sim::SimConfig scaledPrimary = OnScreen(1920, 1080, 10);  // 150 %
  scaledPrimary.otherMonitors.push_back({{1920, 0, 1920, 1080}, 15});
  for (const Case& c : {
           Case{"on a wider monitor beside the primary",
                narrowPrimary,
                {1500, 500},
                {0, 0, 1920, 864}},
           Case{"on the primary", narrowPrimary, {100, 500}, {0, 0, 1280, 819}},
           Case{"beyond every monitor: the nearest", narrowPrimary, {3300, 500}, {0, 0, 1920, 864}},
           Case{
               "at 100 % beside a primary at 150 %", scaledPrimary, {2100, 500}, {0, 0, 1920, 864}},
           Case{"on the primary at 150 %", scaledPrimary, {100, 500}, {0, 0, 1920, 864}},
       }) {
    SCOPED_TRACE(c.what);
    Desk desk(c.config);
    const auto twips = [&desk](std::int32_t pixels) {
      return static_cast<Twips>(static_cast<double>(pixels) * desk.sim.TwipsPerPixel());
    };
    desk.platform().form.Move(twips(c.place.x), twips(c.place.y));
    ASSERT_TRUE(desk.platform().picture.Move(0, 0, twips(4000), twips(2000)));
    EXPECT_EQ(desk.sim.form.width, c.capped.width);
    EXPECT_EQ(desk.sim.form.height, c.capped.height);
  }
}

// A hand on the pointer: its place on the desktop, reported as a platform reports it, relative
// to the strip and in the pixels of the form's monitor.
struct Hand {
  Desk& desk;
  int x, y;
  PointerEvent Event(bool left) const {
    const PixelRect& form = desk.sim.form;
    const PixelRect& strip = desk.sim.strip;
    return {.x = static_cast<double>(x - form.left - strip.left),
            .y = static_cast<double>(y - form.top - strip.top),
            .left = left};
  }
  void Press() {
    desk.sim.pointer = {x, y};
    desk.sim.input().StripPressed(PointerButton::kLeft, Event(true));
  }
  void MoveBy(int dx, int dy) {
    x += dx;
    y += dy;
    desk.sim.pointer = {x, y};
    desk.sim.input().StripMoved(Event(true));
  }
  // In steps of a few pixels, as a hand moves: one long jump could land in another zone.
  void DragBy(int dx, int steps) {
    for (int step = 0; step < steps; ++step) MoveBy(dx / steps, 0);
  }
  void Release() { desk.sim.input().StripReleased(PointerButton::kLeft, Event(false)); }
};

TEST(MonitorDpi, StripKeepsItsSizeInTwipsAndTheDragItsPressPointAcrossMonitorsOfAnotherDpi) {
  Desk desk(TwoMonitors(7.5f, {1024, 0, 2048, 1536}));  // 192 dpi to the right
  Hand hand{desk, 256 + 200, 602 + 20};
  hand.Press();
  hand.DragBy(600, 60);  // the strip now mostly on the second monitor
  EXPECT_EQ(desk.sim.TwipsPerPixel(), 7.5f);
  EXPECT_EQ(desk.platform().form.Width(), 7680);
  EXPECT_EQ(desk.platform().form.Height(), 600);
  EXPECT_EQ(desk.sim.form.width, 1024);
  EXPECT_EQ(desk.sim.strip, (PixelRect{0, 0, 1024, 80}));
  EXPECT_EQ(desk.sim.closeMark, (PixelRect{0, 0, 50, 34}));  // its font follows the DPI too
  // Scaled around the pointer: the press point, 200 old pixels from the left, is under it.
  EXPECT_EQ(desk.sim.form.left, hand.x - 400);
  EXPECT_EQ(desk.sim.form.top, hand.y - 40);

  // The drag goes on by exactly what the pointer moves, in the new monitor's pixels.
  const PixelRect crossed = desk.sim.form;
  hand.MoveBy(37, -5);
  EXPECT_EQ(desk.sim.form, (PixelRect{crossed.left + 37, crossed.top - 5, 1024, 80}));
  hand.Release();
  EXPECT_EQ(desk.sim.form.width, 1024);
  EXPECT_EQ(desk.platform().screen.Width(), 15360);  // the primary monitor's, at its own DPI

  // And back: on the primary monitor again the strip has its old pixel size.
  hand.Press();
  hand.DragBy(-600, 60);
  EXPECT_EQ(desk.sim.TwipsPerPixel(), 15.0f);
  EXPECT_EQ(desk.sim.form.width, 512);
  EXPECT_EQ(desk.platform().form.Width(), 7680);
  hand.Release();
}

TEST(MonitorDpi, MonitorsThatWouldHandTheStripBackAndForthCannot) {
  // The strip is dragged left onto a monitor of twice the DPI; grown around a pointer near its
  // left end, it would be mostly back on the monitor it came from, and shrunk there, mostly on
  // the other again.
  sim::SimConfig config = OnScreen(1024, 768);
  config.otherMonitors.push_back({{-2048, 0, 2048, 1536}, 7.5f});
  Desk desk(config);
  Hand hand{desk, 256 + 30, 602 + 20};  // in the body, near its left end
  hand.Press();
  hand.DragBy(-600, 120);
  hand.Release();
  // It settled, and the sizes the logic reads are the platform's pixels at the platform's DPI.
  const double twipsPerPixel = desk.sim.TwipsPerPixel();
  EXPECT_EQ(desk.platform().form.Width(), desk.sim.form.width * twipsPerPixel);
  EXPECT_EQ(desk.platform().picture.Width(), desk.sim.strip.width * twipsPerPixel);
}

}  // namespace
}  // namespace coverstrip::testing
