// Pointer zones, press state and the drag gestures, driven by native input.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "form_fixture.h"
#include "gestures/zones.h"

namespace coverstrip::testing {
namespace {

TEST(Zones, StrictBandBoundariesWithTheLeftBandWinningTheCorner) {
  using gestures::ZoneShape;
  EXPECT_EQ(ZoneShape(149.9f, 500), 9);
  EXPECT_EQ(ZoneShape(150, 149), 7);
  EXPECT_EQ(ZoneShape(150, 150), 15);
  EXPECT_EQ(ZoneShape(100, 100), 9);
  EXPECT_EQ(ZoneShape(-500, 300), 9);  // outside the strip while a button is held
  EXPECT_EQ(ZoneShape(400, -20), 7);
}

TEST(Zones, PressPointRoundsHalvesToEvenAndRefusesWhatNoInt32Holds) {
  using gestures::RoundPressCoordinate;
  EXPECT_EQ(RoundPressCoordinate(75.5f), 76);
  EXPECT_EQ(RoundPressCoordinate(74.5f), 74);
  EXPECT_EQ(RoundPressCoordinate(-0.5f), 0);
  EXPECT_EQ(RoundPressCoordinate(1e20f), std::nullopt);
  EXPECT_EQ(RoundPressCoordinate(std::numeric_limits<float>::quiet_NaN()), std::nullopt);
}

// A loaded form at 15 twips a pixel: window 512 x 40 pixels at (256, 602).
struct Drag : LoadedForm {
  PixelRect& window() { return sim.form; }
  PixelRect& strip() { return sim.strip; }
  std::int16_t shape() { return platform().picture.MousePointer(); }
};

TEST(Gestures, EveryMoveSetsTheShapeButOnlyTheLeftButtonAloneDrags) {
  Drag drag;
  drag.Press(3000, 300);
  for (int buttons : {0, 3, 4, 5, 6, 7}) {
    drag.MoveTo(3600, 450, static_cast<std::int16_t>(buttons));
    EXPECT_EQ(drag.shape(), 15);
    drag.MoveTo(100, 450, static_cast<std::int16_t>(buttons));
    EXPECT_EQ(drag.shape(), 9);
  }
  EXPECT_EQ(drag.window(), (PixelRect{256, 602, 512, 40}));
  EXPECT_EQ(drag.sim.openDialogs, 0);
  EXPECT_EQ(drag.sim.cursor, 9);
}

TEST(Gestures, BodyDragMovesTheWindowByThePointersOffset) {
  Drag drag;
  drag.Press(3000, 300);
  drag.MoveTo(3300, 450);
  EXPECT_EQ(drag.window(), (PixelRect{276, 612, 512, 40}));
  EXPECT_EQ(drag.strip(), (PixelRect{0, 0, 512, 40}));
  EXPECT_EQ(drag.shape(), 15);

  // The press point is under the pointer again: the same offset is a standstill.
  drag.MoveTo(3000, 300);
  EXPECT_EQ(drag.window(), (PixelRect{276, 612, 512, 40}));
}

TEST(Gestures, FastMultiEventDragLandsExactly) {
  Drag drag;
  drag.Press(4500, 300);
  // Each event the pointer is where the user's hand is, relative to the moved strip.
  int totalX = 0, totalY = 0;
  for (int i = 1; i <= 30; ++i) {
    const int dx = (i % 7) * 15 - 45, dy = (i % 5) * 15 - 15;
    totalX += dx;
    totalY += dy;
    drag.MoveTo(4500.0f + static_cast<float>(dx), 300.0f + static_cast<float>(dy));
  }
  drag.Release(4500, 300);
  EXPECT_EQ(drag.window(), (PixelRect{256 + totalX / 15, 602 + totalY / 15, 512, 40}));
}

TEST(Gestures, LeftBandStretchKeepsTheRightEdge) {
  Drag drag;
  drag.Press(75, 300);
  drag.MoveTo(-525, 300);
  EXPECT_EQ(drag.window(), (PixelRect{216, 602, 552, 40}));
  EXPECT_EQ(drag.strip(), (PixelRect{0, 0, 552, 40}));
}

TEST(Gestures, TopBandStretchKeepsTheBottomEdge) {
  Drag drag;
  drag.Press(3000, 75);
  drag.MoveTo(3000, -225);
  EXPECT_EQ(drag.window(), (PixelRect{256, 582, 512, 60}));
}

TEST(Gestures, LeftStretchAtTheMinimumWidthSlidesAndTheReleaseFillsTheWindow) {
  Drag drag;
  drag.Press(15, 300);
  // Each event stays in the left band and narrows the strip by 8 pixels; from 52 events on the
  // window holds its 100-pixel minimum and slides right with the pointer.
  for (int step = 0; step < 60; ++step) drag.MoveTo(135, 300);
  EXPECT_EQ(drag.window(), (PixelRect{256 + 60 * 8, 602, 100, 40}));
  EXPECT_EQ(drag.strip(), (PixelRect{0, 0, 512 - 60 * 8, 40}));
  drag.Release(135, 300);
  EXPECT_EQ(drag.strip(), (PixelRect{0, 0, 100, 40}));
  EXPECT_EQ(drag.window(), (PixelRect{736, 602, 100, 40}));
  EXPECT_EQ(drag.form.DownX, -1);
  EXPECT_EQ(drag.form.DownY, -1);
}

TEST(Gestures, TopStretchThatWouldMakeTheStripNegativeIsRefused) {
  Drag drag;
  drag.Press(3000, 75);
  // At the 600-twip minimum the window slides down while the strip gets lower, 60 a step.
  for (int step = 0; step < 10; ++step) drag.MoveTo(3000, 135);
  EXPECT_EQ(drag.window().top, 602 + 10 * 4);
  EXPECT_EQ(drag.strip().height, 0);
  drag.MoveTo(3000, 135);  // 0 - 60 would be negative: nothing changes
  EXPECT_EQ(drag.window(), (PixelRect{256, 642, 512, 40}));
  EXPECT_EQ(drag.strip().height, 0);
}

// One brisk event of 24 pixels (360 twips) that leaves the press's zone: the drag keeps the
// gesture of the zone the left button went down in, and the pointer its shape, until the release.
TEST(Gestures, DragKeepsThePressZonesGestureUntilTheRelease) {
  struct Row {
    const char* what;
    float pressX, pressY, moveX, moveY;
    PixelRect window;
    std::int16_t heldShape, shapeAfterRelease;
  };
  const Row rows[] = {
      {"body, up into the top band", 3000, 300, 3000, -60, {256, 578, 512, 40}, 15, 7},
      {"body, left into the left band", 300, 300, -60, 300, {232, 602, 512, 40}, 15, 9},
      {"left band, right into the body", 75, 300, 435, 300, {280, 602, 488, 40}, 9, 15},
      {"top band, up and into the left band", 300, 75, -60, -285, {256, 578, 512, 64}, 7, 9},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    Drag drag;
    drag.Press(row.pressX, row.pressY);
    drag.MoveTo(row.moveX, row.moveY);
    EXPECT_EQ(drag.window(), row.window);
    EXPECT_EQ(drag.sim.cursor, row.heldShape);
    drag.Release(row.moveX, row.moveY);
    drag.MoveTo(row.moveX, row.moveY, 0);
    EXPECT_EQ(drag.sim.cursor, row.shapeAfterRelease);
  }
}

TEST(Gestures, AButtonCountsFromAPressOnTheStripUntilItsRelease) {
  // Held in from elsewhere (a drag another program began): no gesture, no dialog, no release.
  Drag drag;
  drag.sim.dialogs.push_back({sim::ChooserScript::Outcome::kConfirm, 7});
  drag.MoveTo(1500, 300);
  drag.MoveTo(1600, 300, mouse_button::kRight);
  drag.Release(1600, 300);
  EXPECT_EQ(drag.window(), (PixelRect{256, 602, 512, 40}));
  EXPECT_EQ(drag.sim.dialogs.size(), 1u);  // none was made
  EXPECT_EQ(drag.form.DownX, 0);
  // Pressed on the strip and released: the button no longer counts on the next move.
  drag.Press(3000, 300);
  drag.Release(3000, 300);
  drag.MoveTo(1499, 299);
  EXPECT_EQ(drag.window(), (PixelRect{256, 602, 512, 40}));
  // A right press on the strip does not make a left button held in from elsewhere count.
  drag.Press(3000, 300, PointerButton::kRight);
  drag.MoveTo(3300, 300, mouse_button::kLeft | mouse_button::kRight);
  drag.MoveTo(3400, 300, mouse_button::kLeft);
  EXPECT_EQ(drag.window(), (PixelRect{256, 602, 512, 40}));
}

TEST(Gestures, DragRightAfterADoubleClickMovesSmoothly) {
  Drag drag;
  drag.Press(3000, 300);
  drag.Release(3000, 300);
  drag.DoubleClick(3000, 300);  // the second press of a double-click
  drag.MoveTo(3150, 300);
  EXPECT_EQ(drag.window(), (PixelRect{266, 602, 512, 40}));
}

TEST(Gestures, AnyButtonsPressRecordsAndAnyReleaseResetsAndFills) {
  Drag drag;
  drag.Press(75.5f, 300, PointerButton::kRight);
  EXPECT_EQ(drag.form.DownX, 76);
  drag.Press(74.5f, 150, PointerButton::kMiddle);
  EXPECT_EQ(drag.form.DownX, 74);
  EXPECT_EQ(drag.form.DownY, 150);
  ASSERT_TRUE(drag.platform().picture.Move(30, 30, 900.0f, 300.0f));
  drag.Release(0, 0, PointerButton::kMiddle);
  EXPECT_EQ(drag.form.DownX, -1);
  EXPECT_EQ(drag.strip(), (PixelRect{0, 0, drag.window().width, drag.window().height}));
}

TEST(Gestures, OverflowingArgumentsAreNotPassedOn) {
  Drag drag;
  drag.Press(3000, 300);
  const float huge = std::numeric_limits<float>::max();
  drag.MoveTo(huge, 300);  // body move far beyond what X11 can carry
  drag.MoveTo(3000, huge);
  drag.MoveTo(-huge, 300);  // and the other way
  EXPECT_EQ(drag.window(), (PixelRect{256, 602, 512, 40}));
  EXPECT_EQ(drag.strip(), (PixelRect{0, 0, 512, 40}));

  drag.MoveTo(3000.0f + 33000 * 15.0f, 300);  // within float, beyond the 16-bit range
  EXPECT_EQ(drag.window().left, 256);
  drag.MoveTo(3150, 300);  // an ordinary step still works afterwards
  EXPECT_EQ(drag.window().left, 266);
}

}  // namespace
}  // namespace coverstrip::testing
