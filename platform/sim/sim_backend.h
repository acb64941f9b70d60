// platform/sim: an in-memory platform for the unit tests, kept as an operating system keeps its
// windows: it holds what it was told (rectangles in whole pixels, colours, cursor, topmost band,
// alpha, timer, shown) and nothing else, and takes native input from the test as a real platform
// takes it from the user: pointer events, and the keys held as a state the test sets. The primary
// monitor is at the origin; other monitors may have other DPIs, and the form's pixels are those of
// the monitor that holds most of it, which reports a change of DPI as a per-monitor aware Windows
// program is told of it.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "platform/shared/backend.h"
#include "platform/shared/emulated_window_manager.h"

namespace coverstrip::sim {

struct SimConfig {
  std::int32_t screenWidthPixels = 1024;
  std::int32_t screenHeightPixels = 768;
  float twipsPerPixel = 15;
  std::int32_t coordinateLimitPixels = kX11CoordinateLimit;
  std::vector<Monitor> otherMonitors;
};

// What the colour dialog does when shown.
struct ChooserScript {
  enum class Outcome { kConfirm, kCancel, kCannotCreate };
  Outcome outcome = Outcome::kConfirm;
  Colour colour = 0;
};

class SimBackend final : public Backend, private Stacking, private ZOrder {
 public:
  explicit SimBackend(SimConfig simConfig = {}) : config(std::move(simConfig)) {}

  Monitor PrimaryMonitor() const override;
  std::vector<Monitor> Monitors() const override;
  float TwipsPerPixel() const override { return TwipsPerPixelAt(form); }
  std::int32_t CoordinateLimit() const override { return config.coordinateLimitPixels; }
  PixelRect FormRect() const override { return form; }
  void SetFormRect(const PixelRect& rect) override;
  PixelRect StripRect() const override { return strip; }
  void SetStripRect(const PixelRect& rect) override { strip = rect; }
  void SetCloseMarkRect(const PixelRect& rect) override { closeMark = rect; }
  void SetFormColour(Colour colour) override { formColour = colour; }
  void SetStripColour(Colour colour) override { stripColour = colour; }
  void SetCloseMarkColour(Colour colour) override { closeMarkColour = colour; }
  void SetStripCursor(std::int16_t shape) override { cursor = shape; }
  PixelPoint PointerPosition() const override { return pointer; }
  NativeHandle FormHandle() const override { return kHandle; }
  void SetFormVisible(bool visible) override { shown = visible; }
  KeysHeld HeldKeys() const override { return keys; }
  void SetTimerRunning(bool running) override { timerRunning = running; }
  void WatchMediaPlayers() override { watchingPlayers = true; }
  std::unique_ptr<ColourDialog> NewColourDialog() override;
  void EndProcess() override { ended = true; }
  WindowManager& windowManager() override { return windowManager_; }
  ZOrder& zOrder() override { return *this; }

  // A tick of the timer, when it runs.
  void Tick() const {
    if (timerRunning) input().TimerTicked();
  }
  // A media player's playback as the desktop tells it, heard once the watch has started.
  void Player(PlayerId player, Playback playback) const {
    if (watchingPlayers) input().MediaPlaybackChanged(player, playback);
  }

  static constexpr NativeHandle kHandle = 0x1234;
  SimConfig config;
  PixelRect form, strip, closeMark;
  Colour formColour = 0, stripColour = 0, closeMarkColour = 0;
  std::int16_t cursor = 0;
  PixelPoint pointer;  // where the test's hand holds the pointer
  bool shown = false, timerRunning = false, ended = false, watchingPlayers = false;
  KeysHeld keys;  // what the test holds down
  bool topmost = false;
  bool activated = false;             // a restack took the focus
  std::optional<std::uint8_t> alpha;  // none while the window is opaque
  // The shown top-levels, top-most first: the form (kHandle) among the windows of other programs
  // that a test puts there; the form alone when empty. Restacks move the form in it.
  std::vector<WindowAbove> stacking;

  // One script a dialog, taken as each is made; none left confirms black.
  std::deque<ChooserScript> dialogs;
  // Runs while a dialog is open, as the events of its nested loop would.
  std::function<void()> whileOpen;
  int openDialogs = 0;  // made and not yet released

 private:
  void Restack(bool toTop, bool activate) override;
  void StackBelow(NativeHandle window) override;
  void SetOpacity(std::uint8_t value) override { alpha = value; }
  bool WindowsAbove(NativeHandle window, std::vector<WindowAbove>& above) override;
  // Takes the form out of stacking and puts it back at index, counted without it.
  void MoveForm(std::size_t index);

  // The DPI of the monitor that holds most of rect, or of the nearest one when none holds any,
  // as Windows gives a window its monitor's.
  float TwipsPerPixelAt(const PixelRect& rect) const;

  EmulatedWindowManager windowManager_{*this, *this};
};

}  // namespace coverstrip::sim
