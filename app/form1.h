// Form1: the overlay window's handlers and the state it owns for the life of the process.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "app/command_line.h"
#include "overlay/paused_peek.h"
#include "platform/contract/form_events.h"
#include "platform/contract/platform.h"

namespace coverstrip {

class Form1 final : public FormEvents {
 public:
  explicit Form1(Platform& platform, StripOptions options = {})
      : platform_(platform), options_(options) {}

  void Form_Load() override;
  void Form_Activate() override;
  void Timer1_Timer() override;
  void Picture1_MouseDown(std::int16_t button, std::int16_t shift, float x, float y) override;
  void Picture1_MouseMove(std::int16_t button, std::int16_t shift, float x, float y) override;
  void Picture1_MouseUp(std::int16_t button, std::int16_t shift, float x, float y) override;
  void Picture1_DblClick() override;
  void Picture1_Resize() override;
  void Label1_DblClick() override;
  void Screen_Change() override;
  void MediaPlayer_Change(PlayerId player, Playback playback) override;

  // The last press point relative to the strip, in whole twips; -1 after each release.
  std::int32_t DownX = 0;
  std::int32_t DownY = 0;
  // The transparency in per cent that the next double-click applies.
  std::int16_t TransparencyPercent = 0;

 private:
  void KeepOnTop();
  // The strip's start-up size and place on the screen as it is now.
  void PlaceAsAtStartUp();
  bool OnAnyMonitor() const;
  void SetTransparency(NativeHandle hWnd, std::int16_t percent);

  Platform& platform_;
  const StripOptions options_;
  overlay::PausedPeek pausedPeek_;
  // While the colour dialog runs its nested event loop, the overlay's own handlers stay out.
  bool choosingColour_ = false;
  // The window's top edge as designed, read at load.
  std::optional<Twips> designTop_;
  // The monitors changed while a press was held or the dialog open: looked at once it is over.
  bool screenChangePending_ = false;
  // What stood above the window at the last keep-on-top, kept to be filled again.
  std::vector<WindowAbove> windowsAbove_;
};

}  // namespace coverstrip
