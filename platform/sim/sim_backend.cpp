#include "platform/sim/sim_backend.h"

#include <algorithm>
#include <utility>

namespace coverstrip::sim {
namespace {

class SimDialog final : public ColourDialog {
 public:
  SimDialog(SimBackend& sim, ChooserScript script) : sim_(sim), script_(script) {
    ++sim_.openDialogs;
  }
  ~SimDialog() override { --sim_.openDialogs; }
  std::optional<Colour> Show() override {
    if (sim_.whileOpen) sim_.whileOpen();
    if (script_.outcome == ChooserScript::Outcome::kCancel) return std::nullopt;
    return script_.colour;
  }

 private:
  SimBackend& sim_;
  ChooserScript script_;
};

}  // namespace

Monitor SimBackend::PrimaryMonitor() const {
  return {{0, 0, config.screenWidthPixels, config.screenHeightPixels}, config.twipsPerPixel};
}

std::vector<Monitor> SimBackend::Monitors() const {
  std::vector<Monitor> monitors{PrimaryMonitor()};
  monitors.insert(monitors.end(), config.otherMonitors.begin(), config.otherMonitors.end());
  return monitors;
}

void SimBackend::SetFormRect(const PixelRect& rect) {
  form = rect;
  if (config.otherMonitors.empty()) return;
  const auto span = [](std::int64_t a, std::int64_t aSize, std::int64_t b, std::int64_t bSize) {
    return std::max<std::int64_t>(0, std::min(a + aSize, b + bSize) - std::max(a, b));
  };
  const auto overlap = [&](const PixelRect& m) {
    return span(rect.left, rect.width, m.left, m.width) *
           span(rect.top, rect.height, m.top, m.height);
  };
  // The form's DPI is that of the monitor holding most of it.
  const Monitor primary = PrimaryMonitor();
  std::int64_t most = overlap(primary.rect);
  float twipsPerPixel = most > 0 ? primary.twipsPerPixel : twipsPerPixel_;
  for (const Monitor& monitor : config.otherMonitors) {
    if (overlap(monitor.rect) > most) {
      most = overlap(monitor.rect);
      twipsPerPixel = monitor.twipsPerPixel;
    }
  }
  if (twipsPerPixel == twipsPerPixel_) return;
  const float previous = std::exchange(twipsPerPixel_, twipsPerPixel);
  input().DpiChanged(previous, std::nullopt);
}

std::unique_ptr<ColourDialog> SimBackend::NewColourDialog() {
  ChooserScript script;
  if (!dialogs.empty()) {
    script = dialogs.front();
    dialogs.pop_front();
  }
  if (script.outcome == ChooserScript::Outcome::kCannotCreate) return nullptr;
  return std::make_unique<SimDialog>(*this, script);
}

void SimBackend::Restack(bool toTop, bool activate) {
  topmost = toTop;
  if (activate) activated = true;
}

}  // namespace coverstrip::sim
