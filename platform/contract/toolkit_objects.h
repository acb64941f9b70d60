// The window toolkit as the logic sees it: the window Form1, the strip Picture1, the close mark
// Label1, the timer Timer1, the screen and the process. Positions and sizes are twips; every read
// returns what the toolkit really took, which may be rounded to whole device pixels.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "platform/contract/types.h"

namespace coverstrip {

// The screen is the primary monitor; positions count from its top-left corner.
class Screen {
 public:
  virtual ~Screen() = default;
  virtual Twips Width() const = 0;
  virtual Twips Height() const = 0;
  // Every monitor of the desktop, the primary one included.
  virtual std::vector<TwipsRect> Monitors() const = 0;
  // The size of the monitor that holds most of the window (the nearest one when it is on none),
  // each in that monitor's own twips: what the window's size is held within.
  virtual Twips FormMonitorWidth() const = 0;
  virtual Twips FormMonitorHeight() const = 0;
};

// The top-level window. It has no border: its outer size is its client size.
class FormWindow {
 public:
  virtual ~FormWindow() = default;
  virtual Twips Left() const = 0;
  virtual Twips Top() const = 0;
  virtual Twips Width() const = 0;
  virtual Twips Height() const = 0;
  virtual void SetWidth(Twips width) = 0;
  virtual void SetHeight(Twips height) = 0;
  // Moves the window on the screen; its size stays.
  virtual void Move(Twips left, Twips top) = 0;
  virtual void SetBackColor(Colour colour) = 0;
  virtual NativeHandle hWnd() const = 0;
  // Hides or shows the window, with its children, without activating it and without changing
  // its geometry, colours or translucency.
  virtual void SetVisible(bool visible) = 0;
  virtual bool Visible() const = 0;
};

class Label;

// The strip: a child area of the window that receives all pointer input but the close mark's.
// A change of its size runs the form's Picture1_Resize before the changing call returns.
class PictureBox {
 public:
  virtual ~PictureBox() = default;
  virtual Twips Left() const = 0;
  virtual Twips Top() const = 0;
  virtual Twips Width() const = 0;
  virtual Twips Height() const = 0;
  // The drawing area: the outer size less the strip's own border, if it has one.
  virtual Twips ScaleWidth() const = 0;
  virtual Twips ScaleHeight() const = 0;
  // False when refused: a size below zero, or a value beyond the coordinate limit.
  [[nodiscard]] virtual bool SetWidth(Twips width) = 0;
  [[nodiscard]] virtual bool SetHeight(Twips height) = 0;
  // One operation; an omitted size keeps its value. False when refused, and nothing changes.
  [[nodiscard]] virtual bool Move(Twips left, Twips top, std::optional<Twips> width = std::nullopt,
                                  std::optional<Twips> height = std::nullopt) = 0;
  virtual void SetMousePointer(std::int16_t shape) = 0;
  virtual std::int16_t MousePointer() const = 0;
  virtual void SetBackColor(Colour colour) = 0;
  virtual Colour BackColor() const = 0;
  // The buttons pressed on the strip whose release has not come (1 left, 2 right, 4 middle), as
  // they stand when its pointer handlers run. A modal dialog, which takes the releases, ends
  // them all when it closes.
  virtual std::int16_t ButtonsPressed() const = 0;
};

// The close mark "×" in the strip's top-left corner.
class Label {
 public:
  virtual ~Label() = default;
  // Moves the mark inside its container; its size stays.
  virtual void Move(Twips left, Twips top) = 0;
  virtual void SetContainer(PictureBox& container) = 0;
  virtual void SetForeColor(Colour colour) = 0;
};

class Timer {
 public:
  virtual ~Timer() = default;
  // No tick arrives while the timer is disabled.
  virtual void SetEnabled(bool enabled) = 0;
};

class Process {
 public:
  virtual ~Process() = default;
  // Closes every window and ends the process at once; nothing else runs.
  virtual void End() = 0;
};

}  // namespace coverstrip
