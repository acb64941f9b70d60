#include "platform/sim/sim_backend.h"

#include "platform/shared/window_monitor.h"

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

float SimBackend::TwipsPerPixelAt(const PixelRect& rect) const {
  return MonitorHolding(rect, Monitors()).twipsPerPixel;
}

void SimBackend::SetFormRect(const PixelRect& rect) {
  const float before = TwipsPerPixelAt(form);
  form = rect;
  const float after = TwipsPerPixelAt(form);
  if (after != before) input().DpiChanged(after, std::nullopt);
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
  MoveForm(toTop ? 0 : stacking.size());
}

void SimBackend::StackBelow(NativeHandle window) {
  topmost = true;
  const auto form = std::find_if(stacking.begin(), stacking.end(),
                                 [](const WindowAbove& w) { return w.window == kHandle; });
  const auto other = std::find_if(stacking.begin(), stacking.end(),
                                  [window](const WindowAbove& w) { return w.window == window; });
  if (form == stacking.end() || other == stacking.end()) return;
  const auto index = static_cast<std::size_t>(other - stacking.begin());
  MoveForm(other < form ? index + 1 : index);
}

void SimBackend::MoveForm(std::size_t index) {
  const auto form = std::find_if(stacking.begin(), stacking.end(),
                                 [](const WindowAbove& w) { return w.window == kHandle; });
  if (form == stacking.end()) return;
  const WindowAbove entry = *form;
  stacking.erase(form);
  stacking.insert(stacking.begin() + static_cast<std::ptrdiff_t>(std::min(index, stacking.size())),
                  entry);
}

bool SimBackend::WindowsAbove(NativeHandle window, std::vector<WindowAbove>& above) {
  above.clear();
  for (const WindowAbove& w : stacking) {
    if (w.window == window) break;
    above.insert(above.begin(), w);
  }
  return true;
}

}  // namespace coverstrip::sim
