// platform/sim: an in-memory toolkit and window manager that keep the platform contract as a
// real toolkit does, for unit tests. Sizes are held in whole pixels at a configurable twips per
// pixel; reads return what was really taken; a change of the strip's size runs Picture1_Resize
// nested before the call returns (and only when the size changed); a strip size below zero is
// refused; every window-manager call and every colour-relevant toolkit call goes to one log.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/emulated_window_styles.h"
#include "platform/form_events.h"
#include "platform/pixel_geometry.h"
#include "platform/platform.h"
#include "platform/twips_scale.h"
#include "platform/window_design.h"

namespace coverstrip::sim {

struct SimConfig {
  std::int32_t screenWidthPixels = 1024;
  std::int32_t screenHeightPixels = 768;
  float twipsPerPixel = 15;
  std::int32_t coordinateLimitPixels = 32767;  // as X11's 16-bit coordinates
};

using PixelRect = PixelGeometry;

// What the scripted colour chooser does when shown.
struct ChooserScript {
  enum class Outcome { kConfirm, kCancel, kCannotCreate };
  Outcome outcome = Outcome::kConfirm;
  Colour colour = 0;
};

class SimPlatform;

class SimScreen final : public Screen {
 public:
  explicit SimScreen(const SimPlatform& sim) : sim_(sim) {}
  Twips Width() const override;
  Twips Height() const override;
  Twips CoordinateLimit() const override;

 private:
  const SimPlatform& sim_;
};

class SimForm final : public FormWindow {
 public:
  explicit SimForm(SimPlatform& sim) : sim_(sim) {}
  Twips Left() const override;
  Twips Top() const override;
  Twips Width() const override;
  Twips Height() const override;
  void SetWidth(Twips width) override;
  void SetHeight(Twips height) override;
  void Move(Twips left, Twips top) override;
  void SetBackColor(Colour colour) override;
  NativeHandle hWnd() const override { return kHandle; }

  static constexpr NativeHandle kHandle = 0x1234;
  PixelRect rect;
  Colour backColor = 0;

 private:
  SimPlatform& sim_;
};

class SimPicture final : public PictureBox {
 public:
  explicit SimPicture(SimPlatform& sim) : sim_(sim) {}
  Twips Left() const override;
  Twips Top() const override;
  Twips Width() const override;
  Twips Height() const override;
  Twips ScaleWidth() const override { return Width(); }
  Twips ScaleHeight() const override { return Height(); }
  bool SetWidth(Twips width) override;
  bool SetHeight(Twips height) override;
  bool Move(Twips left, Twips top, std::optional<Twips> width = std::nullopt,
            std::optional<Twips> height = std::nullopt) override;
  void SetMousePointer(std::int16_t shape) override { mousePointer = shape; }
  std::int16_t MousePointer() const override { return mousePointer; }
  void SetBackColor(Colour colour) override;
  Colour BackColor() const override { return backColor; }

  PixelRect rect;
  std::int16_t mousePointer = 0;
  Colour backColor = 0;
  int resizeEvents = 0;

 private:
  SimPlatform& sim_;
};

class SimLabel final : public Label {
 public:
  explicit SimLabel(SimPlatform& sim) : sim_(sim) {}
  void Move(Twips left, Twips top) override;
  void SetContainer(PictureBox& container) override { this->container = &container; }
  void SetForeColor(Colour colour) override;

  PixelRect rect;
  const PictureBox* container = nullptr;
  Colour foreColor = 0;

 private:
  SimPlatform& sim_;
};

class SimTimer final : public Timer {
 public:
  explicit SimTimer(SimPlatform& sim) : sim_(sim) {}
  void SetEnabled(bool enabled) override;
  bool Enabled() const override { return enabled; }

  bool enabled = false;

 private:
  SimPlatform& sim_;
};

class SimWindowManager final : public WindowManager {
 public:
  explicit SimWindowManager(SimPlatform& sim) : sim_(sim) {}
  bool SetWindowPos(NativeHandle window, NativeHandle insertAfter, std::int32_t x, std::int32_t y,
                    std::int32_t cx, std::int32_t cy, std::uint32_t flags) override;
  std::int32_t GetWindowLongA(NativeHandle window, std::int32_t index) override;
  std::int32_t SetWindowLongA(NativeHandle window, std::int32_t index, std::int32_t value) override;
  bool SetLayeredWindowAttributes(NativeHandle window, Colour key, std::uint8_t alpha,
                                  std::uint32_t flags) override;

  EmulatedWindowStyles styles;
  std::optional<std::uint8_t> alpha;  // none while the window is opaque
  bool activated = false;             // a SetWindowPos without SWP_NOACTIVATE happened

 private:
  SimPlatform& sim_;
};

class SimChooserFactory final : public ColourChooserFactory {
 public:
  explicit SimChooserFactory(SimPlatform& sim) : sim_(sim) {}
  std::unique_ptr<ColourChooser> Create(std::string_view progId) override;

  // Consumed one per Create; an empty script confirms black.
  std::deque<ChooserScript> scripts;
  // Runs while the dialog is "open", as the nested event loop would.
  std::function<void()> whileOpen;
  int live = 0;  // choosers not yet released

 private:
  SimPlatform& sim_;
};

class SimProcess final : public Process {
 public:
  void End() override { ended = true; }
  bool ended = false;
};

class SimPlatform {
 public:
  explicit SimPlatform(const WindowDesign& design, SimConfig config = {});

  Platform& platform() { return platform_; }
  // The form whose handlers the toolkit's own events (resize, ticks) go to.
  void Attach(FormEvents& events) { events_ = &events; }
  FormEvents* events() const { return events_; }

  // A timer tick, delivered only while the timer is enabled.
  void Tick();

  const SimConfig& config() const { return config_; }
  const TwipsScale& scale() const { return scale_; }
  std::vector<std::string>& log() { return log_; }
  void Log(std::string entry) { log_.push_back(std::move(entry)); }

  SimScreen screen{*this};
  SimForm form{*this};
  SimPicture picture{*this};
  SimLabel label{*this};
  SimTimer timer{*this};
  SimWindowManager windowManager{*this};
  SimChooserFactory colourChoosers{*this};
  SimProcess process;

 private:
  SimConfig config_;
  TwipsScale scale_;
  FormEvents* events_ = nullptr;
  std::vector<std::string> log_;
  Platform platform_{screen, form, picture, label, timer, windowManager, colourChoosers, process};
};

}  // namespace coverstrip::sim
