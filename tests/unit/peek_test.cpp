// Peeking under the strip while Ctrl and Alt are held: the keys as a state the test sets, the
// window hidden and shown at the timer's ticks, and everything else left as it was.
#include "overlay/peek.h"

#include <gtest/gtest.h>

#include "form_fixture.h"

namespace coverstrip::testing {
namespace {

const PixelRect kStart{256, 602, 512, 40};
constexpr KeysHeld kNone{};
constexpr KeysHeld kCtrlAlt{.leftCtrl = true, .leftAlt = true};

struct Peeking : LoadedForm {
  void Hold(KeysHeld keys) { sim.keys = keys; }
};

TEST(Peek, TheChordIsEitherCtrlWithEitherAltAndNothingElse) {
  using overlay::IsPeekChord;
  EXPECT_TRUE(IsPeekChord({.leftCtrl = true, .leftAlt = true}));
  EXPECT_TRUE(IsPeekChord({.leftCtrl = true, .rightAlt = true}));
  EXPECT_TRUE(IsPeekChord({.rightCtrl = true, .leftAlt = true}));
  EXPECT_TRUE(IsPeekChord({.rightCtrl = true, .rightAlt = true}));
  EXPECT_TRUE(IsPeekChord({.leftCtrl = true, .rightCtrl = true, .leftAlt = true}));

  EXPECT_FALSE(IsPeekChord(kNone));
  EXPECT_FALSE(IsPeekChord({.leftCtrl = true}));
  EXPECT_FALSE(IsPeekChord({.leftCtrl = true, .rightCtrl = true}));
  EXPECT_FALSE(IsPeekChord({.rightAlt = true}));
  EXPECT_FALSE(IsPeekChord({.leftAlt = true, .rightAlt = true}));
  EXPECT_FALSE(IsPeekChord({.leftCtrl = true, .leftAlt = true, .other = true}));
  EXPECT_FALSE(IsPeekChord({.other = true}));
}

TEST(Peek, HiddenAtTheTickAfterTheKeysGoDownAndShownAtTheTickAfterTheyGoUp) {
  Peeking p;
  p.Hold(kCtrlAlt);
  EXPECT_TRUE(p.sim.shown);  // nothing happens between ticks
  p.sim.Tick();
  EXPECT_FALSE(p.sim.shown);
  EXPECT_FALSE(p.platform().form.Visible());
  // Holding longer changes nothing.
  p.sim.Tick();
  p.sim.Tick();
  EXPECT_FALSE(p.sim.shown);

  p.Hold({.leftCtrl = true});  // Alt let go
  EXPECT_FALSE(p.sim.shown);
  p.sim.Tick();
  EXPECT_TRUE(p.sim.shown);
  EXPECT_TRUE(p.sim.topmost);
  EXPECT_FALSE(p.sim.activated);
  EXPECT_EQ(p.sim.form, kStart);
  p.sim.Tick();
  EXPECT_TRUE(p.sim.shown);
}

TEST(Peek, EitherKeyLetGoEndsThePeek) {
  for (KeysHeld left : {KeysHeld{.leftCtrl = true}, KeysHeld{.rightAlt = true}, kNone}) {
    Peeking p;
    p.Hold({.leftCtrl = true, .rightAlt = true});
    p.sim.Tick();
    ASSERT_FALSE(p.sim.shown);
    p.Hold(left);
    p.sim.Tick();
    EXPECT_TRUE(p.sim.shown);
  }
}

TEST(Peek, OtherChordsLeaveTheStripInPlace) {
  for (KeysHeld keys :
       {KeysHeld{.leftCtrl = true}, KeysHeld{.rightCtrl = true}, KeysHeld{.leftAlt = true},
        KeysHeld{.rightAlt = true}, KeysHeld{.leftCtrl = true, .rightAlt = true, .other = true},
        KeysHeld{.other = true}}) {
    Peeking p;
    p.Hold(keys);
    for (int tick = 0; tick < 3; ++tick) p.sim.Tick();
    EXPECT_TRUE(p.sim.shown);
  }
}

TEST(Peek, AThirdKeyDuringThePeekBringsTheStripBack) {
  Peeking p;
  p.Hold(kCtrlAlt);
  p.sim.Tick();
  ASSERT_FALSE(p.sim.shown);
  p.Hold({.leftCtrl = true, .leftAlt = true, .other = true});
  p.sim.Tick();
  EXPECT_TRUE(p.sim.shown);
}

TEST(Peek, AGestureAcrossAPeekKeepsItsPressPointAndGoesOnAfterIt) {
  Peeking p;
  p.Press(3000, 300);
  p.MoveTo(3300, 450);
  ASSERT_EQ(p.sim.form, (PixelRect{276, 612, 512, 40}));

  p.Hold(kCtrlAlt);
  p.sim.Tick();
  ASSERT_FALSE(p.sim.shown);
  p.Hold(kNone);
  p.sim.Tick();
  ASSERT_TRUE(p.sim.shown);
  EXPECT_EQ(p.sim.form, (PixelRect{276, 612, 512, 40}));

  // 10 pixels on from the press point both ways: the press point is the one before the peek.
  p.MoveTo(3150, 450);
  EXPECT_EQ(p.sim.form, (PixelRect{286, 622, 512, 40}));
  p.Release(3000, 300);
  EXPECT_EQ(p.form.DownX, -1);
}

TEST(Peek, NothingWhileTheColourDialogIsOpen) {
  Peeking p;
  int checks = 0;
  p.sim.whileOpen = [&p, &checks] {
    p.Hold(kCtrlAlt);
    p.sim.Tick();  // the timer is stopped: no tick arrives
    EXPECT_TRUE(p.sim.shown);
    ++checks;
  };
  p.sim.dialogs.push_back({sim::ChooserScript::Outcome::kConfirm, 0x00FF00});
  p.Press(3000, 300, PointerButton::kRight);
  p.MoveTo(3015, 300, mouse_button::kRight);
  EXPECT_EQ(checks, 1);
  EXPECT_TRUE(p.sim.shown);
  // Still held when the dialog has closed: the next tick peeks.
  p.sim.Tick();
  EXPECT_FALSE(p.sim.shown);
}

TEST(Peek, TheTranslucencyAndItsCycleSurviveAPeek) {
  Peeking p;
  p.DoubleClick(3000, 300);
  p.Release(3000, 300);
  p.DoubleClick(3000, 300);
  p.Release(3000, 300);
  ASSERT_EQ(p.sim.alpha, 242);
  ASSERT_EQ(p.form.TransparencyPercent, 10);

  p.Hold(kCtrlAlt);
  p.sim.Tick();
  EXPECT_FALSE(p.sim.shown);
  EXPECT_EQ(p.sim.alpha, 242);
  p.Hold(kNone);
  p.sim.Tick();
  EXPECT_TRUE(p.sim.shown);
  EXPECT_EQ(p.sim.alpha, 242);
  EXPECT_TRUE(p.Layered());
  EXPECT_EQ(p.form.TransparencyPercent, 10);
  EXPECT_EQ(p.sim.stripColour, 0u);
  EXPECT_EQ(p.sim.closeMarkColour, 0x0000FFu);
  EXPECT_EQ(p.sim.form, kStart);

  // The next double-click applies the cycle's next alpha, not its first.
  p.DoubleClick(3000, 300);
  EXPECT_EQ(p.sim.alpha, 229);
}

}  // namespace
}  // namespace coverstrip::testing
