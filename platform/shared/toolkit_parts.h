// The toolkit's objects by the design's names (Screen, Form1, Picture1, Label1, Timer1, the
// process, the keyboard and the colour choosers), in twips, over the backend's device pixels.
// Each converts, refuses what a toolkit must refuse (a size below zero, a value beyond the
// platform's range or not finite), and hands the backend only what it then carries out. Form
// positions count from the primary monitor's corner.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

#include "platform/contract/colour_chooser.h"
#include "platform/contract/keyboard.h"
#include "platform/contract/media_players.h"
#include "platform/contract/toolkit_objects.h"
#include "platform/shared/toolkit_state.h"

namespace coverstrip {

// The primary monitor, at its own DPI, and the form's.
class ScreenPart final : public Screen {
 public:
  explicit ScreenPart(ToolkitState& state) : s(state) {}
  Twips Width() const override;
  Twips Height() const override;
  std::vector<TwipsRect> Monitors() const override;
  Twips FormMonitorWidth() const override;
  Twips FormMonitorHeight() const override;

 private:
  Monitor FormMonitor() const;
  ToolkitState& s;
};

class FormPart final : public FormWindow {
 public:
  explicit FormPart(ToolkitState& state) : s(state) {}
  Twips Left() const override;
  Twips Top() const override;
  Twips Width() const override;
  Twips Height() const override;
  void SetWidth(Twips width) override { SetExtent(width, &PixelRect::width); }
  void SetHeight(Twips height) override { SetExtent(height, &PixelRect::height); }
  void Move(Twips left, Twips top) override;
  void SetBackColor(Colour colour) override { s.backend.SetFormColour(colour); }
  NativeHandle hWnd() const override { return s.backend.FormHandle(); }
  void SetVisible(bool visible) override;
  bool Visible() const override { return visible_; }

 private:
  // One side of the window's size, the other and the position kept.
  void SetExtent(Twips extent, std::int32_t PixelRect::*side);
  ToolkitState& s;
  bool visible_ = false;
};

class PicturePart final : public PictureBox {
 public:
  // Runs Picture1_Resize nested exactly when the strip's size really changed.
  PicturePart(ToolkitState& state, std::int16_t shape, Colour colour)
      : s(state), shape_(shape), colour_(colour) {}
  Twips Left() const override;
  Twips Top() const override;
  Twips Width() const override;
  Twips Height() const override;
  // The strip has no border of its own: its drawing area is all of it.
  Twips ScaleWidth() const override { return Width(); }
  Twips ScaleHeight() const override { return Height(); }
  bool SetWidth(Twips width) override { return Move(Left(), Top(), width); }
  bool SetHeight(Twips height) override { return Move(Left(), Top(), std::nullopt, height); }
  bool Move(Twips left, Twips top, std::optional<Twips> width = std::nullopt,
            std::optional<Twips> height = std::nullopt) override;
  void SetMousePointer(std::int16_t shape) override;
  std::int16_t MousePointer() const override { return shape_; }
  void SetBackColor(Colour colour) override;
  Colour BackColor() const override { return colour_; }
  std::int16_t ButtonsPressed() const override { return s.pressed; }

 private:
  ToolkitState& s;
  std::int16_t shape_;
  Colour colour_;
};

class LabelPart final : public Label {
 public:
  LabelPart(ToolkitState& state, const PixelRect& rect) : s(state), rect_(rect) {}
  void Move(Twips left, Twips top) override;
  // The close mark is the strip's child from creation, and the strip the only container.
  void SetContainer(PictureBox& /*container*/) override {}
  void SetForeColor(Colour colour) override { s.backend.SetCloseMarkColour(colour); }
  // In the strip's pixels, as last set.
  const PixelRect& Rect() const { return rect_; }
  void SetRect(const PixelRect& rect);

 private:
  ToolkitState& s;
  PixelRect rect_;
};

class TimerPart final : public Timer {
 public:
  TimerPart(ToolkitState& state, bool enabled) : s(state), enabled_(enabled) {}
  void SetEnabled(bool enabled) override;
  bool Enabled() const { return enabled_; }
  // The timer ticks only once the window shows.
  void Start();

 private:
  ToolkitState& s;
  bool enabled_;
  bool started_ = false;
};

class ProcessPart final : public Process {
 public:
  explicit ProcessPart(ToolkitState& state) : s(state) {}
  void End() override { s.backend.EndProcess(); }

 private:
  ToolkitState& s;
};

class KeyboardPart final : public Keyboard {
 public:
  explicit KeyboardPart(ToolkitState& state) : s(state) {}
  KeysHeld Held() const override { return s.backend.HeldKeys(); }

 private:
  ToolkitState& s;
};

class MediaPlayersPart final : public MediaPlayers {
 public:
  explicit MediaPlayersPart(ToolkitState& state) : s(state) {}
  void Watch() override { s.backend.WatchMediaPlayers(); }

 private:
  ToolkitState& s;
};

class ChooserFactoryPart final : public ColourChooserFactory {
 public:
  explicit ChooserFactoryPart(ToolkitState& state) : s(state) {}
  std::unique_ptr<ColourChooser> Create(std::string_view progId) override;

 private:
  ToolkitState& s;
};

}  // namespace coverstrip
