// The shared layer between Form1 and a backend, written once for every platform. It gives the
// logic the window toolkit by the design's names (Move, Width, ScaleWidth, BackColor, Enabled,
// "MSComDlg.CommonDialog"...) in twips, and hands the backend whole device pixels: it converts,
// refuses what a toolkit must refuse (a size below zero, a value beyond the platform's range or
// not finite), runs Picture1_Resize nested exactly when the strip's size really changed, counts
// form positions from the primary monitor's corner, turns native input into Form1's events, and
// starts the form in the one order every platform and test uses.
#pragma once

#include <cstdint>
#include <optional>

#include "platform/contract/form_events.h"
#include "platform/contract/platform.h"
#include "platform/contract/window_design.h"
#include "platform/shared/backend.h"

namespace coverstrip {

class Toolkit final : private InputSink {
 public:
  // Gives the backend's windows their designed geometry, colours and cursor.
  Toolkit(Backend& backend, const WindowDesign& design);
  Toolkit(const Toolkit&) = delete;
  Toolkit& operator=(const Toolkit&) = delete;

  Platform& platform() { return platform_; }

  // Attaches the form's handlers, runs Form_Load, shows the window, runs Form_Activate and
  // starts the timer.
  void StartUp(FormEvents& form);

 private:
  struct ScreenPart final : Screen {
    explicit ScreenPart(Toolkit& toolkit) : t(toolkit) {}
    Twips Width() const override;
    Twips Height() const override;
    std::vector<TwipsRect> Monitors() const override;
    Twips CoordinateLimit() const override;
    Toolkit& t;
  };

  struct FormPart final : FormWindow {
    explicit FormPart(Toolkit& toolkit) : t(toolkit) {}
    Twips Left() const override;
    Twips Top() const override;
    Twips Width() const override;
    Twips Height() const override;
    void SetWidth(Twips width) override;
    void SetHeight(Twips height) override;
    void Move(Twips left, Twips top) override;
    void SetBackColor(Colour colour) override { t.backend_.SetFormColour(colour); }
    NativeHandle hWnd() const override { return t.backend_.FormHandle(); }
    void SetVisible(bool visible) override;
    bool Visible() const override { return visible; }
    void Resize(std::optional<Twips> width, std::optional<Twips> height);
    Toolkit& t;
    bool visible = false;
  };

  struct PicturePart final : PictureBox {
    explicit PicturePart(Toolkit& toolkit) : t(toolkit) {}
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
    std::int16_t MousePointer() const override { return shape; }
    void SetBackColor(Colour colour) override;
    Colour BackColor() const override { return colour; }
    std::int16_t ButtonsPressed() const override { return t.pressed_; }
    Toolkit& t;
    std::int16_t shape = 0;
    Colour colour = 0;
  };

  struct LabelPart final : Label {
    explicit LabelPart(Toolkit& toolkit) : t(toolkit) {}
    void Move(Twips left, Twips top) override;
    // The close mark is the strip's child from creation, and the strip the only container.
    void SetContainer(PictureBox& /*container*/) override {}
    void SetForeColor(Colour colour) override { t.backend_.SetCloseMarkColour(colour); }
    Toolkit& t;
    PixelRect rect;
  };

  struct TimerPart final : Timer {
    explicit TimerPart(Toolkit& toolkit) : t(toolkit) {}
    void SetEnabled(bool enabled) override;
    bool Enabled() const override { return enabled; }
    Toolkit& t;
    bool enabled = false;
    bool started = false;  // ticks only once the window shows
  };

  struct ProcessPart final : Process {
    explicit ProcessPart(Toolkit& toolkit) : t(toolkit) {}
    void End() override { t.backend_.EndProcess(); }
    Toolkit& t;
  };

  struct KeyboardPart final : Keyboard {
    explicit KeyboardPart(Toolkit& toolkit) : t(toolkit) {}
    KeysHeld Held() const override { return t.backend_.HeldKeys(); }
    Toolkit& t;
  };

  struct ChooserFactoryPart final : ColourChooserFactory {
    explicit ChooserFactoryPart(Toolkit& toolkit) : t(toolkit) {}
    std::unique_ptr<ColourChooser> Create(std::string_view progId) override;
    Toolkit& t;
  };

  // Native input, translated into Form1's events.
  void StripPressed(PointerButton button, const PointerEvent& event) override;
  void StripDoubleClicked(PointerButton button, const PointerEvent& event) override;
  void StripMoved(const PointerEvent& event) override;
  void StripReleased(PointerButton button, const PointerEvent& event) override;
  void CloseMarkDoubleClicked(PointerButton button) override;
  void TimerTicked() override;
  void MonitorsChanged() override;
  void DpiChanged(float twipsPerPixel, std::optional<PixelPoint> suggestedTopLeft) override;
  // Scales every pixel size and position by ratio, keeping a point of the form where it is.
  void Rescale(double ratio, std::optional<PixelPoint> suggestedTopLeft, bool aroundPointer);

  Twips ToTwips(std::int32_t pixels) const;
  Twips ToTwips(double pixels) const;
  // Whole pixels, offset by origin; nothing for a value not finite or beyond the platform's range.
  std::optional<std::int32_t> ToPixels(Twips twips, std::int32_t origin = 0) const;
  const PixelRect& Primary() const { return primary_.rect; }

  Backend& backend_;
  // Read again when the backend reports a change of the monitors or of the DPI.
  Monitor primary_;
  // The form's DPI as its pixels now have it: the one place this is kept.
  float twipsPerPixel_;
  std::int32_t limit_;
  Twips limitTwips_;
  FormEvents* events_ = nullptr;
  // Buttons whose press went to the strip and whose release has not come.
  std::int16_t pressed_ = 0;
  bool rescaling_ = false;
  // A change of DPI that the rescaling itself brought about, to take up once it is done.
  std::optional<float> dpiChangedAgain_;
  ScreenPart screen_{*this};
  FormPart form_{*this};
  PicturePart picture_{*this};
  LabelPart label_{*this};
  TimerPart timer_{*this};
  ProcessPart process_{*this};
  ChooserFactoryPart choosers_{*this};
  KeyboardPart keyboard_{*this};
  Platform platform_{screen_,   form_,    picture_, label_, timer_, backend_.windowManager(),
                     choosers_, process_, keyboard_};
};

}  // namespace coverstrip
