#include "platform/sim/sim_backend.h"

namespace coverstrip::sim {
namespace {

class SimDialog final : public ColourDialog {
 public:
  SimDialog(SimBackend& sim, ChooserScript script) : sim_(sim), script_(script) {
    ++sim_.openDialogs;
  }
  ~SimDialog() override { --sim_.openDialogs; }
  std::optional<Colour> Show() override {
    sim_.dialogShowing = true;
    if (sim_.whileOpen) sim_.whileOpen();
    sim_.dialogShowing = false;
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
