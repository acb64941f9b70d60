// The translucency cycle through the real double-click handler and the window-manager calls.
#include "overlay/opacity.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <string>

#include "form_fixture.h"

namespace coverstrip::testing {
namespace {

constexpr std::array<int, 14> kAlphas = {254, 242, 229, 216, 204, 191, 178,
                                         165, 153, 140, 127, 114, 102, 254};

TEST(Opacity, AlphaIsTheFloorOfTheDoubleProduct) {
  // 100 x 2.55 lies just below 255; 80, 60 and 40 round to exact products in double.
  for (std::size_t i = 0; i < 13; ++i) {
    EXPECT_EQ(overlay::AlphaForTransparency(static_cast<std::int16_t>(i * 5)), kAlphas[i]) << i;
  }
}

TEST(Opacity, FourteenDoubleClicksWalkTheCycleAndWrap) {
  LoadedForm form;
  EXPECT_FALSE(form.sim.windowManager.styles.Layered());
  EXPECT_FALSE(form.sim.windowManager.alpha.has_value());

  for (std::size_t click = 0; click < kAlphas.size(); ++click) {
    form.form.Picture1_DblClick();
    ASSERT_TRUE(form.sim.windowManager.alpha.has_value());
    EXPECT_EQ(*form.sim.windowManager.alpha, kAlphas[click]) << "double-click " << click + 1;
    EXPECT_EQ(form.form.TransparencyPercent, click == 12 ? 0 : (click + 1) % 13 * 5);
  }
}

TEST(Opacity, AddsTheLayeredFlagEveryTimeAndKeepsTheOthers) {
  LoadedForm form;
  form.sim.log().clear();
  form.form.Picture1_DblClick();
  form.form.Picture1_DblClick();
  const std::vector<std::string> expected = {
      "GetWindowLongA(4660,-20)",
      "SetWindowLongA(4660,-20,0x80008)",  // the topmost flag stays
      "SetLayeredWindowAttributes(4660,0x0,254,0x2)",
      "GetWindowLongA(4660,-20)",
      "SetWindowLongA(4660,-20,0x80008)",
      "SetLayeredWindowAttributes(4660,0x0,242,0x2)",
  };
  EXPECT_EQ(form.sim.log(), expected);

  form.sim.Tick();  // keep-on-top after layering leaves both flags
  EXPECT_EQ(form.sim.windowManager.styles.Get(wm::kExStyleIndex),
            wm::kExStyleLayered | wm::kExStyleTopmost);
}

}  // namespace
}  // namespace coverstrip::testing
