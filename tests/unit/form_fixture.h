// Form1 on the in-memory platform, started as the process starts it, with native input given
// the way a platform gives it: pixel positions relative to the strip.
#pragma once

#include <gtest/gtest.h>

#include "app/form1.h"
#include "app/form1_design.h"
#include "platform/shared/toolkit.h"
#include "platform/sim/sim_backend.h"

namespace coverstrip::testing {

struct LoadedForm {
  explicit LoadedForm(sim::SimConfig config = {}, StripOptions options = {})
      : sim(config), toolkit(sim, Form1Design()), form(toolkit.platform(), options) {
    toolkit.StartUp(form);
  }

  Platform& platform() { return toolkit.platform(); }
  bool Layered() {
    const std::int32_t style =
        platform().windowManager.GetWindowLongA(sim::SimBackend::kHandle, wm::kExStyleIndex);
    return (style & wm::kExStyleLayered) != 0;
  }

  // The twips a pixel the toolkit converts with: the platform's DPI, or the one it last scaled
  // for when monitors of two DPIs handed the form back and forth.
  double TwipsPerPixelInUse() {
    return sim.form.width > 0 ? static_cast<double>(platform().form.Width()) / sim.form.width
                              : sim.TwipsPerPixel();
  }
  // Input at a point given in twips relative to the strip, with these buttons held after it.
  PointerEvent At(float x, float y, std::int16_t held) {
    const double twipsPerPixel = TwipsPerPixelInUse();
    return {.x = x / twipsPerPixel,
            .y = y / twipsPerPixel,
            .left = (held & mouse_button::kLeft) != 0,
            .right = (held & mouse_button::kRight) != 0,
            .middle = (held & mouse_button::kMiddle) != 0};
  }
  static std::int16_t Bit(PointerButton button) {
    return static_cast<std::int16_t>(1 << static_cast<int>(button));
  }
  void Press(float x, float y, PointerButton button = PointerButton::kLeft) {
    sim.input().StripPressed(button, At(x, y, Bit(button)));
  }
  void DoubleClick(float x, float y) {
    sim.input().StripDoubleClicked(PointerButton::kLeft, At(x, y, mouse_button::kLeft));
  }
  void MoveTo(float x, float y, std::int16_t held = mouse_button::kLeft) {
    sim.input().StripMoved(At(x, y, held));
  }
  void Release(float x, float y, PointerButton button = PointerButton::kLeft) {
    sim.input().StripReleased(button, At(x, y, 0));
  }
  void CloseMarkDoubleClick() { sim.input().CloseMarkDoubleClicked(PointerButton::kLeft); }

  sim::SimBackend sim;
  Toolkit toolkit;
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
