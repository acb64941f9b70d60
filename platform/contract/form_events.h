// The way back up from a toolkit: the events of Form1 and its children, each delivered on the
// user-interface thread, one at a time, to the handler of that name.
#pragma once

#include <cstdint>

#include "platform/contract/media_players.h"

namespace coverstrip {

class FormEvents {
 public:
  virtual ~FormEvents() = default;
  // Once, after the window tree exists and before the window is shown.
  virtual void Form_Load() = 0;
  // When the window is first shown.
  virtual void Form_Activate() = 0;
  virtual void Timer1_Timer() = 0;
  // X and Y in twips relative to the strip. Every press is reported, the second press of a
  // double-click included, which is reported as a press and then as Picture1_DblClick.
  virtual void Picture1_MouseDown(std::int16_t button, std::int16_t shift, float x, float y) = 0;
  virtual void Picture1_MouseMove(std::int16_t button, std::int16_t shift, float x, float y) = 0;
  virtual void Picture1_MouseUp(std::int16_t button, std::int16_t shift, float x, float y) = 0;
  virtual void Picture1_DblClick() = 0;
  // After each change of the strip's size, nested in the call that changed it.
  virtual void Picture1_Resize() = 0;
  virtual void Label1_DblClick() = 0;
  // After the monitors, their arrangement or their resolution changed.
  virtual void Screen_Change() = 0;
  // A media player's playback, once MediaPlayers::Watch has been called (see media_players.h).
  virtual void MediaPlayer_Change(PlayerId player, Playback playback) = 0;
};

}  // namespace coverstrip
