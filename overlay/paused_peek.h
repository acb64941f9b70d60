// Peeking while the video is paused: when a player that was playing pauses and no other player
// plays, the strip steps aside as it does while Ctrl+Alt is held; it covers again when any player
// plays, or when the player whose pause it stepped aside for stops or goes away. A player first
// seen paused (paused before the program started, or appearing paused) never hides it.
#pragma once

#include <optional>
#include <vector>

#include "platform/contract/media_players.h"

namespace coverstrip::overlay {

class PausedPeek {
 public:
  void Change(PlayerId player, Playback playback);
  // Whether the strip is to step aside now.
  bool SteppingAside() const { return pausedFor_.has_value(); }

 private:
  struct Player {
    PlayerId id;
    Playback playback;
  };
  bool AnyPlaying() const;

  // Every player heard of that has not stopped, as it was last reported.
  std::vector<Player> players_;
  // The player whose pause the strip steps aside for.
  std::optional<PlayerId> pausedFor_;
};

}  // namespace coverstrip::overlay
