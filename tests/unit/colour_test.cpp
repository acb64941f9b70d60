// The covering colour choice with a scripted colour dialog: what holds while it is open, the
// close mark's colour, cancels and a dialog that cannot be made.
#include <gtest/gtest.h>

#include "form_fixture.h"

namespace coverstrip::testing {
namespace {

using Outcome = sim::ChooserScript::Outcome;
const PixelRect kStart{256, 602, 512, 40};

struct Choosing : LoadedForm {
  // A press and a move with the right button alone held over the strip's body.
  void RightMove(sim::ChooserScript script) {
    sim.dialogs.push_back(script);
    Press(3000, 300, PointerButton::kRight);
    MoveTo(3015, 300, mouse_button::kRight);
  }
};

TEST(ColourChoice, DialogShowsWithTheTimerStoppedAndTheWindowOutOfTheTopmostBand) {
  Choosing c;
  int checks = 0;
  c.sim.whileOpen = [&c, &checks] {
    EXPECT_FALSE(c.sim.timerRunning);
    EXPECT_FALSE(c.sim.topmost);
    EXPECT_EQ(c.sim.openDialogs, 1);
    ++checks;
  };
  c.RightMove({Outcome::kConfirm, 0x0000FF});
  EXPECT_EQ(checks, 1);
  EXPECT_EQ(c.sim.formColour, 0x0000FFu);
  EXPECT_EQ(c.sim.stripColour, 0x0000FFu);
  EXPECT_EQ(c.sim.closeMarkColour, 0u);  // black on pure red
  EXPECT_EQ(c.sim.openDialogs, 0);
  // The timer runs again; the window comes back on top at its next tick, not before.
  EXPECT_TRUE(c.sim.timerRunning);
  EXPECT_FALSE(c.sim.topmost);
  c.sim.Tick();
  EXPECT_TRUE(c.sim.topmost);
  EXPECT_FALSE(c.sim.activated);  // the keyboard stays with the program the user is in
  EXPECT_EQ(c.sim.form, kStart);  // no gesture step
}

TEST(ColourChoice, CloseMarkIsRedOnEveryOtherColour) {
  for (Colour colour : {0x0000FEu, 0x000000u, 0xFFFFFFu, 0x00FF00u}) {
    Choosing c;
    c.RightMove({Outcome::kConfirm, colour});
    EXPECT_EQ(c.platform().picture.BackColor(), colour);
    EXPECT_EQ(c.sim.stripColour, colour);
    EXPECT_EQ(c.sim.formColour, colour);
    EXPECT_EQ(c.sim.closeMarkColour, 0x0000FFu) << colour;
  }
}

TEST(ColourChoice, ChoosingTheSameColourStillLeavesTheTopmostBandUntilTheNextTick) {
  Choosing c;
  c.RightMove({Outcome::kConfirm, 0});
  EXPECT_EQ(c.sim.stripColour, 0u);
  EXPECT_FALSE(c.sim.topmost);
  EXPECT_TRUE(c.sim.timerRunning);
  c.sim.Tick();
  EXPECT_TRUE(c.sim.topmost);
}

TEST(ColourChoice, CancelKeepsTheColoursReleasesTheDialogAndRestartsTheTimer) {
  Choosing c;
  c.RightMove({Outcome::kConfirm, 0x00FF00});
  c.RightMove({Outcome::kCancel, 0x0000FF});
  EXPECT_EQ(c.sim.stripColour, 0x00FF00u);
  EXPECT_EQ(c.sim.formColour, 0x00FF00u);
  EXPECT_EQ(c.sim.closeMarkColour, 0x0000FFu);
  EXPECT_EQ(c.sim.openDialogs, 0);
  EXPECT_TRUE(c.sim.timerRunning);
  EXPECT_FALSE(c.sim.ended);
}

TEST(ColourChoice, DialogThatCannotBeMadeKeepsEverything) {
  Choosing c;
  c.RightMove({Outcome::kCannotCreate, 0x0000FF});
  EXPECT_EQ(c.sim.stripColour, 0u);
  EXPECT_TRUE(c.sim.timerRunning);
  EXPECT_TRUE(c.sim.topmost);
}

TEST(ColourChoice, OnlyTheRightButtonAloneOpensItAndEachTimeAnew) {
  Choosing c;
  c.sim.dialogs.push_back({Outcome::kConfirm, 7});
  c.MoveTo(3000, 300, mouse_button::kLeft | mouse_button::kRight);
  c.Press(3000, 300, PointerButton::kRight);
  c.Release(3000, 300, PointerButton::kRight);
  EXPECT_EQ(c.sim.dialogs.size(), 1u);  // none was made
  c.sim.dialogs.clear();
  c.RightMove({Outcome::kConfirm, 1});
  c.RightMove({Outcome::kConfirm, 2});
  EXPECT_EQ(c.sim.stripColour, 2u);
}

TEST(ColourChoice, WhileTheDialogIsOpenTheOverlaysHandlersStayOut) {
  Choosing c;
  c.sim.whileOpen = [&c] {
    c.sim.input().TimerTicked();
    c.MoveTo(3030, 300, mouse_button::kRight);
    c.Press(1500, 450);
    c.MoveTo(3600, 600);
    c.DoubleClick(3000, 300);
    c.CloseMarkDoubleClick();
  };
  c.RightMove({Outcome::kConfirm, 0x00FF00});
  EXPECT_EQ(c.sim.openDialogs, 0);
  EXPECT_FALSE(c.sim.topmost);  // no tick ran while the dialog was open
  EXPECT_FALSE(c.sim.alpha.has_value());
  EXPECT_FALSE(c.sim.ended);
  EXPECT_EQ(c.sim.form, kStart);

  // The dialog took the right button's release, and the left press made while it was open did
  // not count: a left move drags nothing until the next press.
  EXPECT_EQ(c.platform().picture.ButtonsPressed(), 0);
  c.MoveTo(3600, 600);
  EXPECT_EQ(c.sim.form, kStart);
  c.Release(3600, 600);
  c.Press(3000, 300);
  c.MoveTo(3150, 300);
  EXPECT_EQ(c.sim.form.left, 266);
}

}  // namespace
}  // namespace coverstrip::testing
