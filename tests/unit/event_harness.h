// Feeds arbitrary native pointer, double-click, tick and colour-choice input to a loaded Form1 on
// the in-memory platform and checks, after each, what must hold whatever the input.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "form_fixture.h"

namespace coverstrip::testing {

struct Event {
  enum class Kind : std::uint8_t { kPress, kMove, kRelease, kDoubleClick, kTick, kChoice };
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
  bool newPress_ = false;  // the last event pressed a button not held before
};

}  // namespace coverstrip::testing
