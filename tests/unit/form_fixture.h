// Form1 on the in-memory toolkit, loaded as the process would load it.
#pragma once

#include <gtest/gtest.h>

#include "app/form1.h"
#include "app/form1_design.h"
#include "platform/sim/sim_platform.h"

namespace coverstrip::testing {

struct LoadedForm {
  explicit LoadedForm(sim::SimConfig config = {})
      : sim(Form1Design(), config), form(sim.platform()) {
    sim.Attach(form);
    form.Form_Load();
    form.Form_Activate();
  }

  // Screen pixels to twips at the sim's scale.
  float Twips(int pixels) const { return static_cast<float>(pixels) * sim.config().twipsPerPixel; }

  sim::SimPlatform sim;
  Form1 form;
};

inline sim::SimConfig OnScreen(int widthPixels, int heightPixels, float twipsPerPixel = 15) {
  sim::SimConfig config;
  config.screenWidthPixels = widthPixels;
  config.screenHeightPixels = heightPixels;
  config.twipsPerPixel = twipsPerPixel;
  return config;
}

}  // namespace coverstrip::testing
