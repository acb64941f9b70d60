// libFuzzer target: the input bytes become a screen and a sequence of events for Form1 on the
// in-memory toolkit; any broken invariant aborts with the event that broke it.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "event_harness.h"

namespace {

class Bytes {
 public:
  Bytes(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
  bool Empty() const { return offset_ >= size_; }
  template <typename T>
  T Take() {
    T value{};
    // Past the end the value is zero: no pointer beyond the buffer is formed.
    if (offset_ < size_) std::memcpy(&value, data_ + offset_, std::min(sizeof(T), size_ - offset_));
    offset_ += sizeof(T);
    return value;
  }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t offset_ = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace coverstrip;
  using namespace coverstrip::testing;
  Bytes bytes(data, size);
  sim::SimConfig config;
  config.screenWidthPixels = 1 + bytes.Take<std::uint16_t>() % 32767;
  config.screenHeightPixels = 1 + bytes.Take<std::uint16_t>() % 32767;
  static constexpr float kScales[] = {15, 12, 10, 7.5f, 1};
  config.twipsPerPixel = kScales[bytes.Take<std::uint8_t>() % 5];
  EventHarness harness(config);
  while (!bytes.Empty()) {
    Event event;
    event.kind = static_cast<Event::Kind>(bytes.Take<std::uint8_t>() % 9);
    event.buttons = static_cast<std::int16_t>(bytes.Take<std::uint8_t>() % 32);
    event.x = bytes.Take<float>();
    event.y = bytes.Take<float>();
    event.chooser.outcome =
        static_cast<sim::ChooserScript::Outcome>(bytes.Take<std::uint8_t>() % 3);
    event.chooser.colour = bytes.Take<std::uint32_t>() & 0xFFFFFF;
    harness.Apply(event);
    if (const auto broken = harness.Broken()) {
      std::fprintf(stderr, "%s after %s\n", broken->c_str(), Describe(event).c_str());
      std::abort();
    }
  }
  return 0;
}
