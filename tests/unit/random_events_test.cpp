// Long seeded random sequences of input on screens from tiny to huge; after every event the
// invariants of EventHarness must hold. A failing run names its seed and event.
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <limits>
#include <random>

#include "event_harness.h"

namespace coverstrip::testing {
namespace {

std::string Rect(const PixelRect& r) {
  return std::to_string(r.width) + "x" + std::to_string(r.height) + "+" + std::to_string(r.left) +
         "+" + std::to_string(r.top);
}

class RandomInput {
 public:
  explicit RandomInput(std::uint32_t seed) : engine_(seed) {}

  static constexpr float kScales[] = {15, 12, 10, 7.5f, 1};

  sim::SimConfig Screen() {
    static constexpr int kSides[] = {1, 30, 80, 100, 640, 1024, 1920, 7680, 32767};
    sim::SimConfig config;
    config.screenWidthPixels = Pick(kSides);
    config.screenHeightPixels = Pick(kSides);
    config.twipsPerPixel = Pick(kScales);
    return config;
  }

  Event Next() {
    Event event;
    event.kind = static_cast<Event::Kind>(Below(100) < 8 ? 3 + Below(6) : Below(3));
    event.buttons = static_cast<std::int16_t>(Below(4) == 0 ? Below(32) : 1);
    const bool scale = event.kind == Event::Kind::kMonitors || event.kind == Event::Kind::kDpi;
    event.x = scale && Below(4) != 0 ? Pick(kScales) : Coordinate();
    event.y = Coordinate();
    event.chooser.outcome = static_cast<sim::ChooserScript::Outcome>(Below(3));
    event.chooser.colour = static_cast<Colour>(Below(3) == 0 ? 0xFF : engine_() & 0xFFFFFF);
    return event;
  }

 private:
  float Coordinate() {
    static constexpr float kEdges[] = {0,
                                       -0.0f,
                                       149.5f,
                                       150,
                                       FLT_MAX,
                                       -FLT_MAX,
                                       FLT_MIN,
                                       1e30f,
                                       -1e30f,
                                       4e9f,
                                       -4e9f,
                                       491505,
                                       std::numeric_limits<float>::infinity(),
                                       -std::numeric_limits<float>::infinity(),
                                       std::numeric_limits<float>::quiet_NaN()};
    switch (Below(10)) {
      case 0:
        return Pick(kEdges);
      case 1:
        return static_cast<float>(static_cast<int>(Below(2000000)) - 1000000);
      default:
        return static_cast<float>(static_cast<int>(Below(1200)) - 300) * 15.0f / 2;
    }
  }
  std::uint32_t Below(std::uint32_t n) {
    return std::uniform_int_distribution<std::uint32_t>(0, n - 1)(engine_);
  }
  template <typename T, std::size_t N>
  T Pick(const T (&values)[N]) {
    return values[Below(N)];
  }

  std::mt19937 engine_;
};

TEST(RandomEvents, InvariantsHoldAfterEveryEvent) {
  constexpr std::uint32_t kSeeds = 300;
  constexpr int kEventsPerSeed = 2000;
  for (std::uint32_t seed = 1; seed <= kSeeds; ++seed) {
    RandomInput input(seed);
    EventHarness harness(input.Screen());
    for (int index = 0; index < kEventsPerSeed; ++index) {
      const Event event = input.Next();
      harness.Apply(event);
      if (const auto broken = harness.Broken()) {
        const auto& sim = harness.loaded().sim;
        FAIL() << *broken << " (seed " << seed << ", event " << index << ": " << Describe(event)
               << "; screen " << sim.config.screenWidthPixels << "x"
               << sim.config.screenHeightPixels << " px at " << sim.config.twipsPerPixel
               << " twips a pixel; window " << Rect(sim.form) << ", strip " << Rect(sim.strip)
               << ")";
      }
    }
  }
}

}  // namespace
}  // namespace coverstrip::testing
