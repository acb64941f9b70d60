#include "platform/sim/sim_platform.h"

#include <cstdio>

#include "platform/pixel_geometry.h"

namespace coverstrip::sim {
namespace {

std::string Hex(std::uint32_t value) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%X", value);
  return text;
}

}  // namespace

// --- screen ---

Twips SimScreen::Width() const {
  return sim_.scale().ToTwips(sim_.config().screenWidthPixels);
}

Twips SimScreen::Height() const {
  return sim_.scale().ToTwips(sim_.config().screenHeightPixels);
}

Twips SimScreen::CoordinateLimit() const {
  return sim_.scale().ToTwips(sim_.config().coordinateLimitPixels);
}

// --- window ---

Twips SimForm::Left() const {
  return sim_.scale().ToTwips(rect.left);
}
Twips SimForm::Top() const {
  return sim_.scale().ToTwips(rect.top);
}
Twips SimForm::Width() const {
  return sim_.scale().ToTwips(rect.width);
}
Twips SimForm::Height() const {
  return sim_.scale().ToTwips(rect.height);
}

void SimForm::SetWidth(Twips width) {
  const auto pixels = sim_.scale().ToPixels(width, sim_.config().coordinateLimitPixels);
  if (pixels && *pixels >= 0) rect.width = *pixels;
}

void SimForm::SetHeight(Twips height) {
  const auto pixels = sim_.scale().ToPixels(height, sim_.config().coordinateLimitPixels);
  if (pixels && *pixels >= 0) rect.height = *pixels;
}

void SimForm::Move(Twips left, Twips top) {
  const auto x = sim_.scale().ToPixels(left, sim_.config().coordinateLimitPixels);
  const auto y = sim_.scale().ToPixels(top, sim_.config().coordinateLimitPixels);
  if (!x || !y) return;
  rect.left = *x;
  rect.top = *y;
}

void SimForm::SetBackColor(Colour colour) {
  backColor = colour;
  sim_.Log("Form1.BackColor=" + Hex(colour));
}

// --- strip ---

Twips SimPicture::Left() const {
  return sim_.scale().ToTwips(rect.left);
}
Twips SimPicture::Top() const {
  return sim_.scale().ToTwips(rect.top);
}
Twips SimPicture::Width() const {
  return sim_.scale().ToTwips(rect.width);
}
Twips SimPicture::Height() const {
  return sim_.scale().ToTwips(rect.height);
}

bool SimPicture::SetWidth(Twips width) {
  return Move(Left(), Top(), width, std::nullopt);
}

bool SimPicture::SetHeight(Twips height) {
  return Move(Left(), Top(), std::nullopt, height);
}

bool SimPicture::Move(Twips left, Twips top, std::optional<Twips> width,
                      std::optional<Twips> height) {
  const auto requested = RequestedStripGeometry(sim_.scale(), sim_.config().coordinateLimitPixels,
                                                left, top, width, height, rect.width, rect.height);
  if (!requested) return false;

  const bool resized = requested->width != rect.width || requested->height != rect.height;
  rect = *requested;
  if (resized) {
    ++resizeEvents;
    if (FormEvents* events = sim_.events()) events->Picture1_Resize();
  }
  return true;
}

void SimPicture::SetBackColor(Colour colour) {
  backColor = colour;
  sim_.Log("Picture1.BackColor=" + Hex(colour));
}

// --- close mark, timer ---

void SimLabel::Move(Twips left, Twips top) {
  const auto x = sim_.scale().ToPixels(left, sim_.config().coordinateLimitPixels);
  const auto y = sim_.scale().ToPixels(top, sim_.config().coordinateLimitPixels);
  if (!x || !y) return;
  rect.left = *x;
  rect.top = *y;
}

void SimLabel::SetForeColor(Colour colour) {
  foreColor = colour;
  sim_.Log("Label1.ForeColor=" + Hex(colour));
}

void SimTimer::SetEnabled(bool value) {
  enabled = value;
  sim_.Log(value ? "Timer1.Enabled=true" : "Timer1.Enabled=false");
}

// --- window manager ---

bool SimWindowManager::SetWindowPos(NativeHandle window, NativeHandle insertAfter, std::int32_t x,
                                    std::int32_t y, std::int32_t cx, std::int32_t cy,
                                    std::uint32_t flags) {
  sim_.Log("SetWindowPos(" + std::to_string(window) + "," + std::to_string(insertAfter) + "," +
           std::to_string(x) + "," + std::to_string(y) + "," + std::to_string(cx) + "," +
           std::to_string(cy) + "," + Hex(flags) + ")");
  if (window != SimForm::kHandle) return false;
  if (insertAfter == wm::kInsertTopmost) styles.SetTopmost(true);
  if (insertAfter == wm::kInsertNotTopmost) styles.SetTopmost(false);
  if ((flags & wm::kNoActivate) == 0) activated = true;
  return true;
}

std::int32_t SimWindowManager::GetWindowLongA(NativeHandle window, std::int32_t index) {
  sim_.Log("GetWindowLongA(" + std::to_string(window) + "," + std::to_string(index) + ")");
  return window == SimForm::kHandle ? styles.Get(index) : 0;
}

std::int32_t SimWindowManager::SetWindowLongA(NativeHandle window, std::int32_t index,
                                              std::int32_t value) {
  sim_.Log("SetWindowLongA(" + std::to_string(window) + "," + std::to_string(index) + "," +
           Hex(static_cast<std::uint32_t>(value)) + ")");
  return window == SimForm::kHandle ? styles.Set(index, value) : 0;
}

bool SimWindowManager::SetLayeredWindowAttributes(NativeHandle window, Colour key,
                                                  std::uint8_t value, std::uint32_t flags) {
  sim_.Log("SetLayeredWindowAttributes(" + std::to_string(window) + "," + Hex(key) + "," +
           std::to_string(value) + "," + Hex(flags) + ")");
  if (window != SimForm::kHandle) return false;
  const auto shown = styles.AlphaFor(value, flags);
  if (shown) alpha = shown;
  return shown.has_value();
}

// --- colour chooser ---

namespace {

class SimChooser final : public ColourChooser {
 public:
  SimChooser(SimPlatform& sim, ChooserScript script) : sim_(sim), script_(script) {
    ++sim_.colourChoosers.live;
  }
  ~SimChooser() override {
    --sim_.colourChoosers.live;
    sim_.Log("chooser released");
  }
  void SetCancelError(bool value) override {
    cancelError_ = value;
    sim_.Log(value ? "CancelError=true" : "CancelError=false");
  }
  bool ShowColor() override {
    sim_.Log("showcolor");
    if (sim_.colourChoosers.whileOpen) sim_.colourChoosers.whileOpen();
    if (script_.outcome == ChooserScript::Outcome::kCancel) return !cancelError_;
    colour_ = script_.colour;
    return true;
  }
  Colour Color() const override {
    sim_.Log("Color");
    return colour_;
  }

 private:
  SimPlatform& sim_;
  ChooserScript script_;
  bool cancelError_ = false;
  Colour colour_ = 0;
};

}  // namespace

std::unique_ptr<ColourChooser> SimChooserFactory::Create(std::string_view progId) {
  sim_.Log("create " + std::string(progId));
  ChooserScript script;
  if (!scripts.empty()) {
    script = scripts.front();
    scripts.pop_front();
  }
  if (script.outcome == ChooserScript::Outcome::kCannotCreate) return nullptr;
  return std::make_unique<SimChooser>(sim_, script);
}

// --- the toolkit ---

SimPlatform::SimPlatform(const WindowDesign& design, SimConfig config)
    : config_(config), scale_(config.twipsPerPixel) {
  const auto pixels = [&](const RectDesign& r) {
    return DesignedGeometry(scale_, config_.coordinateLimitPixels, r);
  };
  form.rect = pixels(design.form);
  form.backColor = design.formBackColor;
  picture.rect = pixels(design.picture);
  picture.backColor = design.pictureBackColor;
  picture.mousePointer = design.pictureMousePointer;
  label.rect = pixels(design.label);
  label.foreColor = design.labelForeColor;
  label.container = &picture;
  timer.enabled = design.timerEnabled;
}

void SimPlatform::Tick() {
  if (timer.enabled && events_ != nullptr) events_->Timer1_Timer();
}

}  // namespace coverstrip::sim
