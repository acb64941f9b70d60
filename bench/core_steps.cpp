// Runs one kind of step of Form1 N times on the in-memory platform, through its native input, for
// counting instructions under callgrind. Two runs with different N, differenced, leave the cost
// of one step with the start-up cancelled out. Every step alternates one pixel forth and back, so
// any N keeps the window on the screen and N steps do the same work whatever N is.
//   core_steps hover|move|stretch|size-rules N
#include <charconv>
#include <cstdio>
#include <cstring>
#include <functional>
#include <string_view>

#include "app/form1.h"
#include "app/form1_design.h"
#include "platform/shared/toolkit.h"
#include "platform/sim/sim_backend.h"

namespace {

using coverstrip::Form1;
constexpr float kOnePixel = 15;  // twips at the in-memory toolkit's default scale

// Form1 started as the process starts it, on a 1024 x 768 screen.
struct LoadedForm {
  LoadedForm() : toolkit(sim, coverstrip::Form1Design()), form(toolkit.platform()) {
    toolkit.StartUp(form);
  }
  // Native input at a point in twips relative to the strip, as a backend reports it.
  void Pointer(bool left, float x, float y, bool press = false) {
    const coverstrip::PointerEvent event{.x = x / kOnePixel, .y = y / kOnePixel, .left = left};
    if (press) {
      sim.input().StripPressed(coverstrip::PointerButton::kLeft, event);
    } else {
      sim.input().StripMoved(event);
    }
  }
  coverstrip::sim::SimBackend sim;
  coverstrip::Toolkit toolkit;
  Form1 form;
};

// One pointer move: the zone rule only, no gesture (the reference step).
void Hover(LoadedForm& loaded, long step) {
  loaded.Pointer(false, step % 2 ? 4515 : 4500, 300);
}

// One step of the move gesture, the press point in the strip's body.
void MoveStep(LoadedForm& loaded, long step) {
  const float x = static_cast<float>(loaded.form.DownX) + (step % 2 ? kOnePixel : -kOnePixel);
  loaded.Pointer(true, x, 300);
}

// One step of the left-edge stretch, which runs the size rules inside it.
void StretchStep(LoadedForm& loaded, long step) {
  const float x = static_cast<float>(loaded.form.DownX) + (step % 2 ? -kOnePixel : kOnePixel);
  loaded.Pointer(true, x, 300);
}

}  // namespace

int main(int argc, char** argv) {
  long steps = 0;
  if (argc != 3 ||
      std::from_chars(argv[2], argv[2] + std::strlen(argv[2]), steps).ec != std::errc{} ||
      steps < 0) {
    std::fprintf(stderr, "usage: core_steps hover|move|stretch|size-rules N\n");
    return 2;
  }
  const std::string_view kind = argv[1];
  LoadedForm loaded;

  std::function<void(LoadedForm&, long)> step;
  if (kind == "hover") {
    step = Hover;
  } else if (kind == "move") {
    loaded.Pointer(true, 4500, 300, true);
    step = MoveStep;
  } else if (kind == "stretch") {
    loaded.Pointer(true, 75, 300, true);
    step = StretchStep;
  } else if (kind == "size-rules") {
    step = [](LoadedForm& l, long) { l.form.Picture1_Resize(); };
  } else {
    std::fprintf(stderr, "unknown step kind: %s\n", argv[1]);
    return 2;
  }
  for (long i = 1; i <= steps; ++i) step(loaded, i);

  // A step that did not do its work would count as cheap: check where the window stands.
  const auto& window = loaded.sim.form;
  const coverstrip::PixelRect start{256, 602, 512, 40};
  const bool even = steps % 2 == 0;
  coverstrip::PixelRect expected = start;
  if (kind == "move" && !even) expected.left += 1;
  if (kind == "stretch" && !even) {
    expected.left -= 1;
    expected.width += 1;
  }
  if (window != expected) {
    std::fprintf(stderr, "window at %d,%d %dx%d after %ld %s steps\n", window.left, window.top,
                 window.width, window.height, steps, argv[1]);
    return 1;
  }
  return 0;
}
