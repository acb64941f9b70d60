// The translucency cycle through real double-clicks and the window-manager calls.
#include "overlay/opacity.h"

#include <gtest/gtest.h>

#include <array>

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
  EXPECT_FALSE(form.Layered());
  EXPECT_FALSE(form.sim.alpha.has_value());

  for (std::size_t click = 0; click < kAlphas.size(); ++click) {
    form.DoubleClick(3000, 300);
    form.Release(3000, 300);
    ASSERT_TRUE(form.sim.alpha.has_value());
    EXPECT_EQ(*form.sim.alpha, kAlphas[click]) << "double-click " << click + 1;
    EXPECT_EQ(form.form.TransparencyPercent, click == 12 ? 0 : (click + 1) % 13 * 5);
  }
  EXPECT_EQ(form.sim.form, (PixelRect{256, 602, 512, 40}));
}

TEST(Opacity, MakesTheWindowLayeredAndKeepsTheTopmostFlag) {
  LoadedForm form;
  form.DoubleClick(3000, 300);
  form.DoubleClick(3000, 300);
  EXPECT_EQ(form.sim.alpha, 242);
  EXPECT_TRUE(form.sim.topmost);
  form.sim.Tick();  // keep-on-top after layering leaves both flags
  EXPECT_EQ(
      form.platform().windowManager.GetWindowLongA(sim::SimBackend::kHandle, wm::kExStyleIndex),
      wm::kExStyleLayered | wm::kExStyleTopmost);
}

}  // namespace
}  // namespace coverstrip::testing
