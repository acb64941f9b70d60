// Runs one kind of step of Form1 N times on the in-memory toolkit, for counting instructions
// under callgrind. Two runs with different N, differenced, leave the cost of one step with the
// start-up cancelled out. Every step alternates one pixel forth and back, so any N keeps the
// window on the screen and N steps do the same work whatever N is.
//   core_steps hover|move|stretch|size-rules N
#include <charconv>
#include <cstdio>
#include <cstring>
#include <functional>
#include <string_view>

#include "app/form1.h"
#include "app/form1_design.h"
#include "platform/sim/sim_platform.h"

namespace {

using coverstrip::Form1;
constexpr std::int16_t kNoButton = 0;
constexpr std::int16_t kLeft = coverstrip::mouse_button::kLeft;
constexpr float kOnePixel = 15;  // twips at the in-memory toolkit's default scale

// Form1 loaded as the process loads it, on a 1024 x 768 screen.
struct LoadedForm {
  LoadedForm() : sim(coverstrip::Form1Design()), form(sim.platform()) {
    sim.Attach(form);
    form.Form_Load();
    form.Form_Activate();
  }
  coverstrip::sim::SimPlatform sim;
  Form1 form;
};

// One pointer move: the zone rule only, no gesture (the reference step).
void Hover(Form1& form, long step) {
  form.Picture1_MouseMove(kNoButton, 0, step % 2 ? 4515 : 4500, 300);
}

// One step of the move gesture, the press point in the strip's body.
void MoveStep(Form1& form, long step) {
  const float x = static_cast<float>(form.DownX) + (step % 2 ? kOnePixel : -kOnePixel);
  form.Picture1_MouseMove(kLeft, 0, x, 300);
}

// One step of the left-edge stretch, which runs the size rules inside it.
void StretchStep(Form1& form, long step) {
  const float x = static_cast<float>(form.DownX) + (step % 2 ? -kOnePixel : kOnePixel);
  form.Picture1_MouseMove(kLeft, 0, x, 300);
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
  Form1& form = loaded.form;

  std::function<void(Form1&, long)> step;
  if (kind == "hover") {
    step = Hover;
  } else if (kind == "move") {
    form.Picture1_MouseDown(kLeft, 0, 4500, 300);
    step = MoveStep;
  } else if (kind == "stretch") {
    form.Picture1_MouseDown(kLeft, 0, 75, 300);
    step = StretchStep;
  } else if (kind == "size-rules") {
    step = [](Form1& f, long) { f.Picture1_Resize(); };
  } else {
    std::fprintf(stderr, "unknown step kind: %s\n", argv[1]);
    return 2;
  }
  for (long i = 1; i <= steps; ++i) step(form, i);

  // A step that did not do its work would count as cheap: check where the window stands.
  const auto& window = loaded.sim.form.rect;
  const coverstrip::sim::PixelRect start{256, 602, 512, 40};
  const bool even = steps % 2 == 0;
  coverstrip::sim::PixelRect expected = start;
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
