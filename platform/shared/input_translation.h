// Native input, as every backend reports it, turned into Form1's events: pixel positions into
// twips, buttons and keys into the design's codes, and the buttons that count as pressed on the
// strip kept from the press that went to it until its release.
#pragma once

#include <optional>

#include "platform/shared/backend.h"
#include "platform/shared/dpi_rescale.h"
#include "platform/shared/toolkit_parts.h"
#include "platform/shared/toolkit_state.h"

namespace coverstrip {

class InputTranslation final : public InputSink {
 public:
  InputTranslation(ToolkitState& state, const TimerPart& timer, DpiRescale& rescale)
      : s(state), timer_(timer), rescale_(rescale) {}

  void StripPressed(PointerButton button, const PointerEvent& event) override;
  void StripDoubleClicked(PointerButton button, const PointerEvent& event) override;
  void StripMoved(const PointerEvent& event) override;
  void StripReleased(PointerButton button, const PointerEvent& event) override;
  void CloseMarkDoubleClicked(PointerButton button) override;
  void TimerTicked() override;
  void MonitorsChanged() override;
  void FormMovedOutside() override;
  void DpiChanged(float twipsPerPixel, std::optional<PixelPoint> suggestedTopLeft) override {
    rescale_.Change(twipsPerPixel, suggestedTopLeft);
  }
  void MediaPlaybackChanged(PlayerId player, Playback playback) override {
    s.events->MediaPlayer_Change(player, playback);
  }

 private:
  ToolkitState& s;
  const TimerPart& timer_;
  DpiRescale& rescale_;
};

}  // namespace coverstrip
