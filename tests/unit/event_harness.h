// Feeds arbitrary native pointer, double-click, tick and colour-choice input, changes of the
// monitors and of the DPI, and keys held, to a loaded Form1 on the in-memory platform and checks,
// after each, what must hold whatever the input.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>

#include "form_fixture.h"
#include "overlay/size_rules.h"

namespace coverstrip::testing {

struct Event {
  enum class Kind : std::uint8_t {
    kPress,
    kMove,
    kRelease,
    kDoubleClick,
    kTick,
    kChoice,
    kMonitors,  // a second monitor, right of the primary, comes or goes
    kDpi,       // the second monitor changes to x twips a pixel, or x is reported as such
    kKeys,      // the keys of the buttons bits are held, then a tick
  };
  Kind kind = Kind::kMove;
  std::int16_t buttons = 0;
  float x = 0;
  float y = 0;
  sim::ChooserScript chooser;  // for kChoice: a right-button move with this chooser outcome
};

std::string Describe(const Event& event);

class EventHarness {
 public:
  explicit EventHarness(sim::SimConfig config) : loaded_(config) {}

  void Apply(const Event& event);
  // What is broken after the last event, or nothing.
  std::optional<std::string> Broken();

  LoadedForm& loaded() { return loaded_; }

 private:
  LoadedForm loaded_;
  std::optional<Event> last_;
  std::int16_t held_ = 0;  // the buttons the user holds
  // The buttons whose press went to the strip, held since; a release counts only for one.
  std::int16_t pressedOnStrip_ = 0;
  bool releaseCounted_ = false;
  // The window sizes the size rules allow on the monitors there have been: fewest, most.
  std::pair<float, float> widths_{overlay::kMinimumWidth, overlay::kMinimumWidth};
  std::pair<float, float> heights_{overlay::kMinimumHeight, overlay::kMinimumHeight};
  bool newPress_ = false;  // the last event pressed a button not held before
  // Monitors changed since the last release: a change that came while a press was held is taken
  // up at the release, which may then place the strip as at start-up.
  bool monitorsChangedSinceRelease_ = false;
};

}  // namespace coverstrip::testing
