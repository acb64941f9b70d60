// The covering colour choice with a scripted chooser: order of operations, the close mark's
// colour, cancels and a chooser that cannot be created.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "form_fixture.h"

namespace coverstrip::testing {
namespace {

using Outcome = sim::ChooserScript::Outcome;

struct Choosing : LoadedForm {
  // A move with the right button alone held over the strip's body.
  void RightMove(sim::ChooserScript script) {
    sim.colourChoosers.scripts.push_back(script);
    sim.log().clear();
    form.Picture1_MouseDown(mouse_button::kRight, 0, 3000, 300);
    form.Picture1_MouseMove(mouse_button::kRight, 0, 3015, 300);
  }
};

TEST(ColourChoice, RunsItsStepsInOrderAndMarksPureRedBlack) {
  Choosing c;
  c.RightMove({Outcome::kConfirm, 0x0000FF});
  const std::vector<std::string> expected = {
      "create MSComDlg.CommonDialog",
      "CancelError=true",
      "Timer1.Enabled=false",
      "SetWindowPos(4660,-2,0,0,0,0,0x3)",
      "showcolor",
      "Color",
      "Form1.BackColor=0xFF",
      "Color",
      "Picture1.BackColor=0xFF",
      "chooser released",
      "Label1.ForeColor=0x0",
      "Timer1.Enabled=true",
  };
  EXPECT_EQ(c.sim.log(), expected);
  EXPECT_EQ(c.sim.colourChoosers.live, 0);
  EXPECT_EQ(c.sim.form.rect, (sim::PixelRect{256, 602, 512, 40}));  // no gesture step
}

TEST(ColourChoice, CloseMarkIsRedOnEveryOtherColour) {
  for (Colour colour : {0x0000FEu, 0x000000u, 0xFFFFFFu, 0x00FF00u}) {
    Choosing c;
    c.RightMove({Outcome::kConfirm, colour});
    EXPECT_EQ(c.sim.picture.BackColor(), colour);
    EXPECT_EQ(c.sim.form.backColor, colour);
    EXPECT_EQ(c.sim.label.foreColor, 0x0000FFu) << colour;
  }
}

TEST(ColourChoice, ChoosingTheSameColourStillRunsEveryStep) {
  Choosing c;
  c.RightMove({Outcome::kConfirm, 0});
  EXPECT_EQ(c.sim.log().size(), 12u);
  EXPECT_FALSE(c.sim.windowManager.styles.Get(wm::kExStyleIndex) & wm::kExStyleTopmost);
  c.sim.Tick();  // the next tick puts the window back on top
  EXPECT_TRUE(c.sim.windowManager.styles.Get(wm::kExStyleIndex) & wm::kExStyleTopmost);
}

TEST(ColourChoice, CancelKeepsTheColoursReleasesTheChooserAndRestartsTheTimer) {
  Choosing c;
  c.RightMove({Outcome::kConfirm, 0x00FF00});
  c.RightMove({Outcome::kCancel, 0x0000FF});
  EXPECT_EQ(c.sim.picture.BackColor(), 0x00FF00u);
  EXPECT_EQ(c.sim.form.backColor, 0x00FF00u);
  EXPECT_EQ(c.sim.label.foreColor, 0x0000FFu);
  EXPECT_EQ(c.sim.colourChoosers.live, 0);
  EXPECT_TRUE(c.sim.timer.Enabled());
  EXPECT_FALSE(c.sim.process.ended);
  EXPECT_EQ(c.sim.log().back(), "Timer1.Enabled=true");
}

TEST(ColourChoice, ChooserThatCannotBeCreatedKeepsEverything) {
  Choosing c;
  c.RightMove({Outcome::kCannotCreate, 0x0000FF});
  EXPECT_EQ(c.sim.picture.BackColor(), 0u);
  EXPECT_TRUE(c.sim.timer.Enabled());
  EXPECT_TRUE(c.sim.windowManager.styles.Get(wm::kExStyleIndex) & wm::kExStyleTopmost);
}

TEST(ColourChoice, OnlyTheRightButtonAloneOpensItAndEachTimeAnew) {
  Choosing c;
  c.form.Picture1_MouseMove(mouse_button::kLeft | mouse_button::kRight, 0, 3000, 300);
  c.form.Picture1_MouseDown(mouse_button::kRight, 0, 3000, 300);
  c.form.Picture1_MouseUp(mouse_button::kRight, 0, 3000, 300);
  EXPECT_EQ(std::count(c.sim.log().begin(), c.sim.log().end(), "create MSComDlg.CommonDialog"), 0);
  c.RightMove({Outcome::kConfirm, 1});
  c.RightMove({Outcome::kConfirm, 2});
  EXPECT_EQ(c.sim.picture.BackColor(), 2u);
}

TEST(ColourChoice, WhileTheDialogIsOpenTheOverlaysHandlersStayOut) {
  Choosing c;
  c.sim.colourChoosers.whileOpen = [&c] {
    c.sim.Tick();
    c.form.Picture1_MouseMove(mouse_button::kRight, 0, 3030, 300);
    c.form.Picture1_MouseDown(mouse_button::kLeft, 0, 3000, 300);
    c.form.Picture1_MouseMove(mouse_button::kLeft, 0, 3600, 600);
    c.form.Picture1_DblClick();
    c.form.Label1_DblClick();
  };
  c.RightMove({Outcome::kConfirm, 0x00FF00});
  const auto& log = c.sim.log();
  EXPECT_EQ(std::count(log.begin(), log.end(), "create MSComDlg.CommonDialog"), 1);
  EXPECT_EQ(std::count(log.begin(), log.end(), "SetWindowPos(4660,-1,0,0,0,0,0x13)"), 0);
  EXPECT_FALSE(c.sim.windowManager.alpha.has_value());
  EXPECT_FALSE(c.sim.process.ended);
  EXPECT_EQ(c.sim.form.rect, (sim::PixelRect{256, 602, 512, 40}));

  // The dialog took the right button's release: a left drag without a new press moves nothing.
  c.form.Picture1_MouseMove(mouse_button::kLeft, 0, 3600, 600);
  EXPECT_EQ(c.sim.form.rect, (sim::PixelRect{256, 602, 512, 40}));
  c.form.Picture1_MouseDown(mouse_button::kLeft, 0, 3000, 300);
  c.form.Picture1_MouseMove(mouse_button::kLeft, 0, 3150, 300);
  EXPECT_EQ(c.sim.form.rect.left, 266);
}

}  // namespace
}  // namespace coverstrip::testing
