// The window following its strip within its limits, driven through real strip size changes.
#include "overlay/size_rules.h"

#include <gtest/gtest.h>

#include "form_fixture.h"

namespace coverstrip::testing {
namespace {

// A form on a 1024 x 1080 pixel screen (15360 x 16200 twips) whose strip is then sized.
struct SizedStrip : LoadedForm {
  SizedStrip(float width, float height) : LoadedForm(OnScreen(1024, 1080)) {
    EXPECT_TRUE(platform().picture.Move(0, 0, width, height));
  }
  float WindowWidth() { return platform().form.Width(); }
  float WindowHeight() { return platform().form.Height(); }
  float StripWidth() { return platform().picture.Width(); }
  float StripHeight() { return platform().picture.Height(); }
};

TEST(SizeRules, MinimumWidthIsStrictAndLeavesTheStripNarrower) {
  EXPECT_EQ(SizedStrip(1500, 900).WindowWidth(), 1500);
  EXPECT_EQ(SizedStrip(1515, 900).WindowWidth(), 1515);

  SizedStrip narrow(1005, 900);
  EXPECT_EQ(narrow.WindowWidth(), 1500);
  EXPECT_EQ(narrow.StripWidth(), 1005);
}

TEST(SizeRules, WidthIsCappedAtTheScreenAndTheStripIsCutOff) {
  EXPECT_EQ(SizedStrip(15360, 900).WindowWidth(), 15360);

  SizedStrip wide(20010, 900);
  EXPECT_EQ(wide.WindowWidth(), 15360);
  EXPECT_EQ(wide.StripWidth(), 20010);
}

TEST(SizeRules, HeightIsCappedStrictlyAboveEightTenthsOfTheScreen) {
  EXPECT_EQ(overlay::HeightLimit(16200), 12960);
  EXPECT_EQ(overlay::HeightLimit(11520), 9216);

  EXPECT_EQ(SizedStrip(3000, 13005).WindowHeight(), 12960);
  EXPECT_EQ(SizedStrip(3000, 12960).WindowHeight(), 12960);
  EXPECT_EQ(SizedStrip(3000, 12945).WindowHeight(), 12945);
}

TEST(SizeRules, MinimumHeightIsStrictAndLeavesTheStripLower) {
  EXPECT_EQ(SizedStrip(3000, 600).WindowHeight(), 600);

  SizedStrip low(3000, 300);
  EXPECT_EQ(low.WindowHeight(), 600);
  EXPECT_EQ(low.StripHeight(), 300);

  SizedStrip both(1005, 300);
  EXPECT_EQ(both.WindowWidth(), 1500);
  EXPECT_EQ(both.WindowHeight(), 600);
}

TEST(SizeRules, ComparesTheSizeTheToolkitReallyTook) {
  // 1507 twips is 100.47 pixels: the window takes 100 pixels, 1500 twips, which is not above
  // the minimum, so the minimum is set again.
  SizedStrip rounded(1507, 900);
  EXPECT_EQ(rounded.WindowWidth(), 1500);
  EXPECT_EQ(rounded.sim.form.width, 100);
}

TEST(SizeRules, OnTinyScreensTheCapsWinOverTheMinimum) {
  LoadedForm tiny(OnScreen(80, 40));  // 1200 x 600 twips; the cap is 480 twips high
  ASSERT_TRUE(tiny.platform().picture.Move(0, 0, 1800.0f, 900.0f));
  EXPECT_EQ(tiny.platform().form.Width(), 1200);
  EXPECT_EQ(tiny.platform().form.Height(), 480);

  // Not above the minimum: raised to it, past the screen's edges.
  ASSERT_TRUE(tiny.platform().picture.Move(0, 0, 900.0f, 300.0f));
  EXPECT_EQ(tiny.platform().form.Width(), 1500);
  EXPECT_EQ(tiny.platform().form.Height(), 600);
}

TEST(SizeRules, RefusesSizesBelowZeroAndBeyondThePlatformsRange) {
  LoadedForm form;
  EXPECT_FALSE(form.platform().picture.Move(0, 0, -15.0f));
  EXPECT_FALSE(form.platform().picture.Move(0, 0, std::nullopt, -15.0f));
  EXPECT_FALSE(form.platform().picture.Move(0, 0, 33000 * 15.0f));
  EXPECT_FALSE(form.platform().picture.SetWidth(std::numeric_limits<float>::quiet_NaN()));
  form.platform().form.SetWidth(-15);
  form.platform().form.Move(std::numeric_limits<float>::infinity(), 0);
  EXPECT_EQ(form.sim.form, (PixelRect{256, 602, 512, 40}));
  EXPECT_EQ(form.sim.strip, (PixelRect{0, 0, 512, 40}));
}

}  // namespace
}  // namespace coverstrip::testing
