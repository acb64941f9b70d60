#include <gtest/gtest.h>

#include "app/form1.h"
#include "app/form1_design.h"
#include "platform/sim/sim_platform.h"

namespace coverstrip {
namespace {
TEST(SizeRules, Compiles) {
  sim::SimPlatform sim(Form1Design());
  Form1 form(sim.platform());
  sim.Attach(form);
  form.Form_Load();
  EXPECT_EQ(sim.form.rect, (sim::PixelRect{256, 602, 512, 40}));
}
}  // namespace
}  // namespace coverstrip
