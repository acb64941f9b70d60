// What a backend carries out for the shared layer: pixel rectangles, colours, the cursor, showing
// and hiding, the keys held, the timer, the colour dialog and the end of the process. Every check
// and every conversion is made above it (see toolkit_parts.h); a backend only does what it is told
// and reports native input, translated into strip-relative pixel events, to the InputSink it is
// connected to.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "platform/contract/keyboard.h"
#include "platform/contract/media_players.h"
#include "platform/contract/types.h"
#include "platform/contract/window_manager.h"
#include "platform/contract/z_order.h"

namespace coverstrip {

struct PixelRect {
  std::int32_t left = 0;
  std::int32_t top = 0;
  std::int32_t width = 0;
  std::int32_t height = 0;
  bool operator==(const PixelRect&) const = default;
};

struct PixelPoint {
  std::int32_t x = 0;
  std::int32_t y = 0;
};

struct Monitor {
  PixelRect rect;  // in desktop pixels
  float twipsPerPixel = 15;
};

// X11 carries window coordinates and sizes as 16-bit values.
inline constexpr std::int32_t kX11CoordinateLimit = 32767;

enum class PointerButton : std::uint8_t { kLeft, kRight, kMiddle };

// A pointer event as the platform reports it: the position in pixels relative to the strip's
// top-left corner (fractional where the platform has fractions), the buttons held and the keys.
struct PointerEvent {
  double x = 0;
  double y = 0;
  bool left = false, right = false, middle = false;  // held after the event
  bool shift = false, ctrl = false, alt = false;
};

// Native input, as every backend reports it. Turning it into Form1's events happens once, above.
class InputSink {
 public:
  virtual ~InputSink() = default;
  virtual void StripPressed(PointerButton, const PointerEvent&) {}
  // The second press of a double-click; it may or may not have been reported as a press first.
  virtual void StripDoubleClicked(PointerButton, const PointerEvent&) {}
  virtual void StripMoved(const PointerEvent&) {}
  virtual void StripReleased(PointerButton, const PointerEvent&) {}
  virtual void CloseMarkDoubleClicked(PointerButton) {}
  virtual void TimerTicked() {}
  // Monitors were added, removed, moved or changed resolution.
  virtual void MonitorsChanged() {}
  // The form is now at twipsPerPixel (on a monitor of another DPI); its pixels still have the
  // sizes they had. The platform may suggest where the form's top-left corner goes, as Windows
  // does.
  virtual void DpiChanged(float /*twipsPerPixel*/, std::optional<PixelPoint> /*suggestedTopLeft*/) {
  }
  // A media player's playback: at first sight, at each change, and kStopped when it goes away.
  virtual void MediaPlaybackChanged(PlayerId /*player*/, Playback /*playback*/) {}
  // The platform moved or resized the form itself, not at the shared layer's request.
  virtual void FormMovedOutside() {}
};

// The platform's modal colour dialog, alive for one choice.
class ColourDialog {
 public:
  virtual ~ColourDialog() = default;
  // The confirmed colour, 0x00BBGGRR; nothing when the user cancelled or the dialog failed.
  virtual std::optional<Colour> Show() = 0;
};

class Backend {
 public:
  virtual ~Backend() = default;
  void Connect(InputSink& input) { input_ = &input; }
  // Where native input goes: the shared layer once connected, nowhere before.
  InputSink& input() const { return *input_; }

  // The primary monitor, whose top-left corner is the origin of every form position.
  virtual Monitor PrimaryMonitor() const = 0;
  virtual std::vector<Monitor> Monitors() const = 0;
  // Twips a pixel on the monitor the form is on: asked at the start and once the form settles;
  // changes in between come as DpiChanged.
  virtual float TwipsPerPixel() const = 0;
  // The largest magnitude a position or size may have; a larger one would wrap around.
  virtual std::int32_t CoordinateLimit() const = 0;

  virtual PixelRect FormRect() const = 0;  // desktop pixels, as the window really is
  virtual void SetFormRect(const PixelRect& rect) = 0;
  virtual PixelRect StripRect() const = 0;  // in the form, as the strip really is
  virtual void SetStripRect(const PixelRect& rect) = 0;
  virtual void SetCloseMarkRect(const PixelRect& rect) = 0;  // in the strip

  virtual void SetFormColour(Colour colour) = 0;
  virtual void SetStripColour(Colour colour) = 0;
  virtual void SetCloseMarkColour(Colour colour) = 0;
  virtual void SetStripCursor(std::int16_t shape) = 0;

  // Where the pointer is now, in desktop pixels.
  virtual PixelPoint PointerPosition() const = 0;
  virtual NativeHandle FormHandle() const = 0;
  // Maps or unmaps the form, without activating it; geometry, colours and alpha stay.
  virtual void SetFormVisible(bool visible) = 0;
  // The keyboard's global state, read without a grab.
  virtual KeysHeld HeldKeys() const = 0;
  virtual void SetTimerRunning(bool running) = 0;
  // Starts reporting the desktop's media players as MediaPlaybackChanged; asked once, after the
  // window shows, and only then may it connect to anything. Where there is no list of players,
  // it reports nothing.
  virtual void WatchMediaPlayers() = 0;
  // Null when no dialog can be made.
  virtual std::unique_ptr<ColourDialog> NewColourDialog() = 0;
  // Every window closes and the process ends at once; nothing else runs.
  virtual void EndProcess() = 0;
  virtual WindowManager& windowManager() = 0;
  virtual ZOrder& zOrder() = 0;

 private:
  inline static InputSink unconnected_;
  InputSink* input_ = &unconnected_;
};

}  // namespace coverstrip
